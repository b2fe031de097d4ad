#pragma once

#include "record/LoggerRecord.h"
#include "platform/EventPump.h"

class AccFile;

struct CsvBuildOptions
{
    // The download's traces: every accepted raw line and the record counts.
    bool downloadTraces = false;
    // How often the build lets pending events run (the window stays alive).
    int eventIntervalMs = EventPump::DefaultIntervalMs;
};

// Rewrites the table file of logger loggerId (CsvFilePath) from the whole raw file: a header of
// the used column slots, then one row per measuring moment in time order, each duplicate
// record counted once, dates and times in the record's m_nDateFormat style. The caller opens
// the raw file first (AccFile::Open creates it when missing). The new table replaces the old
// one whole, through a temporary file, so a failed build leaves the old table as it was.
// True when the new table is on disk; false when the raw file cannot be read or the table
// cannot be written (a path that is not UTF-8 is never written). Pending events run during the
// build; the record's folder, name and style are read once at the start.
bool RebuildCsvFile(const LoggerRecord& record, int loggerId, const AccFile& raw,
    const CsvBuildOptions& options = {});
