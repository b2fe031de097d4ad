#pragma once

#include "record/LoggerRecord.h"

#include <string>

// A configuration's logger folder: its data folder (which ends in "/") followed by its name.
std::string LoggerFolderPath(const LoggerRecord& record);

// The raw data file "<logger folder>/<name>-<ID two digits>.acc" of a logger ID.
std::string AccFilePath(const LoggerRecord& record, int loggerId);

// The table file "<logger folder>/<name>-<ID two digits>.csv" of a logger ID.
std::string CsvFilePath(const LoggerRecord& record, int loggerId);
