#pragma once

#include <string>

// Saves the current configuration's ".arg" file (SaveLoggerFile); a file that could not be
// written is told as a Warning naming it. False then, or when there is no current record.
bool SaveCurrentConfiguration();

// Tells, as a Warning, that the configuration file at path could not be written, and why
// when its name or folder is not UTF-8 (such a path is never written: Qt would write another
// name). The path is shown readably, with such bytes as \xNN.
void WarnConfigurationNotWritten(const std::string& path);
