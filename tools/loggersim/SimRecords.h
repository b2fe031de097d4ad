#pragma once

#include "loggersim/SimTypes.h"

#include <cstdint>
#include <string>

namespace loggersim {

// Deterministic 64-bit mix of the seed and up to three numbers.
uint64_t SimHash(uint64_t seed, uint64_t a, uint64_t b = 0, uint64_t c = 0);

// Stored record index of a logger as the 28-character line its "data load" sends after the
// 10-character head: "NN cc YYMMDD HHMMSS k vvvvvv" (logger ID, channel 00..15, date and
// time of the moment, kind 1 for reading A or the analog type for reading B, raw value).
// Each moment holds 16 channels x 2 readings; moments are interval seconds apart from
// start. analogType is the channel's reading B type (3 when it has none).
std::string SimRecordLine(uint64_t seed, int id, int index, const SimDateTime& start,
    int intervalSeconds, const int (&analogTypes)[16]);

// A raw reading for a measurement: kind 1 (VW) 15000..34999, 2 or 3 (RTD, thermistor)
// 100..349, 4 (mV) 0..2999.
int SimReading(uint64_t seed, int id, int channel, int kind, uint64_t count);

// Seconds since 2000-01-01 00:00:00 of a date and time taken as a plain calendar (no zone),
// and back. Out-of-range fields roll over.
int64_t SimSeconds(const SimDateTime& t);
SimDateTime SimFromSeconds(int64_t seconds);

} // namespace loggersim
