#pragma once

#include "link/LoggerCommand.h"

#include <string>

// One reading a measuring job took: where it belongs and the reply line as shown.
struct MeasuredReading
{
    int channel = 0; // 0-based
    char reading = 'A'; // 'A' the VW reading, 'B' the analog reading
    std::string line; // the converted reply line
};

// Converts a measure reply (head already cut) for showing: field 2 is the raw reading v, its
// text replaced everywhere in the line by "%.1f" of v / 10 (reading A) or by the channel
// value text of the analog type (reading B). An empty field 2 leaves the line unchanged.
std::string ConvertMeasureReply(const MeasureReply& reply, char reading, int analogType);
