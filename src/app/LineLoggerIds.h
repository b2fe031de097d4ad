#pragma once

#include "record/LoggerRecord.h"

#include <vector>

// The logger IDs of a configuration's line, ascending: 1 alone for a single logger, else every
// used ID of the network.
std::vector<int> LineLoggerIds(const LoggerRecord& record);
