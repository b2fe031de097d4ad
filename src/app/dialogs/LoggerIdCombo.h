#pragma once

#include "record/LoggerRecord.h"

class QComboBox;

// The logger-ID list of the operation dialogs: one entry "%d" per ID of the configuration's
// line, ascending, the first selected (none without a record).
void FillLoggerIdCombo(QComboBox* combo, const LoggerRecord* record);
// The ID of the selected entry; -1 when typed text names no entry, so that no logger is
// addressed by a guess.
int SelectedLoggerId(const QComboBox* combo);
