#pragma once

// Saves the current configuration's ".arg" file (SaveLoggerFile); a file that could not be
// written is told as a Warning naming it. False then, or when there is no current record.
bool SaveCurrentConfiguration();
