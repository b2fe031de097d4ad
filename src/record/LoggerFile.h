#pragma once

#include "record/LoggerRecord.h"

#include <string>

// Writes rec, or g_loggers[index] when rec is null, to "<data folder><name>.arg" through a
// temporary file renamed over the old one. True only when the whole record reached the disk;
// false for an index outside the table, a name that is no file name, a path that is not
// UTF-8, or any write failure.
bool SaveLoggerFile(int index, const LoggerRecord* rec);

// Fills g_loggers[index] from the file an open-list entry names: an absolute path (without
// ".arg") or a title in the data folder, and notes that file as the slot's source. A file that
// cannot be read leaves a zero record named after the entry; a short file replaces the record
// from its start only. False when nothing could be read, or when what was read cannot be a
// configuration (LoggerRecordCheck): then the slot is zero and refusal, when given, says which
// file and which field.
bool LoadLoggerFile(int index, const std::string& entry, std::string* refusal = nullptr);

// The file SaveLoggerFile writes a record to: "<data folder><name>.arg".
std::string SavedLoggerFilePath(const LoggerRecord& rec);

// The ".arg" file an open-list entry names.
std::string LoggerFilePath(const std::string& entry);

// True when the text can be a configuration's file title here: not empty, no path
// separator, not only dots.
bool IsValidLoggerName(const std::string& name);
