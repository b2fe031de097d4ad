#pragma once

#include "record/LoggerRecord.h"

#include <string>

// The open configurations, used densely at 0..g_nLoggerCount-1; g_nCurLogger names the
// current one only while it lies in that range (-1: none).
extern LoggerRecord g_loggers[MaxOpenLoggers];
extern int g_nLoggerCount;
extern int g_nCurLogger;

// The current record, or nullptr when there is none.
LoggerRecord* CurrentLogger();

// The ".arg" file the record at index was opened from; "" when it came from no file. The
// editor saves elsewhere only when the operator agrees to replace what is there.
std::string LoggerSourceFile(int index);
void SetLoggerSourceFile(int index, const std::string& path);

// Empties the table: count and current index 0, every record zero, no source files.
void ClearLoggerTable();

// Removes the record at index: later records (and their source files) move down, the count
// drops by one and the current index becomes 0 (or -1 when the table is empty). An index
// outside the table is ignored.
void CloseLoggerAt(int index);
