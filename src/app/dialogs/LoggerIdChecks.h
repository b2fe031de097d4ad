#pragma once

#include "record/LoggerRecord.h"

// The check boxes of logger IDs 1..7, the same numbers in the editor and the network choice.
inline constexpr int LoggerIdCheckIds[MaxLoggerIds] = {1020, 1021, 1022, 1023, 1027, 1029, 1030};
