#include "loggersim/SimRecords.h"

#include <cstdio>
#include <ctime>

namespace loggersim {

namespace {
constexpr int64_t Epoch2000 = 946684800; // 2000-01-01 00:00:00 UTC
}

uint64_t SimHash(uint64_t seed, uint64_t a, uint64_t b, uint64_t c)
{
    uint64_t x = seed ^ (a * 0x9E3779B97F4A7C15ULL) ^ (b * 0xC2B2AE3D27D4EB4FULL)
        ^ (c * 0x165667B19E3779F9ULL);
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return x;
}

int SimReading(uint64_t seed, int id, int channel, int kind, uint64_t count)
{
    const uint64_t h = SimHash(
        seed, static_cast<uint64_t>(id * 100 + channel), static_cast<uint64_t>(kind), count);
    switch (kind) {
    case 1:
        return 15000 + static_cast<int>(h % 20000);
    case 4:
        return static_cast<int>(h % 3000);
    default:
        return 100 + static_cast<int>(h % 250);
    }
}

int64_t SimSeconds(const SimDateTime& t)
{
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    return static_cast<int64_t>(timegm(&tm)) - Epoch2000;
}

SimDateTime SimFromSeconds(int64_t seconds)
{
    const time_t value = static_cast<time_t>(seconds + Epoch2000);
    std::tm tm{};
    gmtime_r(&value, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string SimRecordLine(uint64_t seed, int id, int index, const SimDateTime& start,
    int intervalSeconds, const int (&analogTypes)[16])
{
    const int moment = index / 32;
    const int channel = (index % 32) / 2;
    const bool readingB = index % 2 == 1;
    const int analog = analogTypes[channel] > 0 ? analogTypes[channel] : 3;
    const int kind = readingB ? analog : 1;
    const SimDateTime t
        = SimFromSeconds(SimSeconds(start) + static_cast<int64_t>(moment) * intervalSeconds);
    const int value = SimReading(seed, id, channel, kind, static_cast<uint64_t>(moment));
    char line[64];
    std::snprintf(line, sizeof line, "%02d %02d %02d%02d%02d %02d%02d%02d %d %06d", id % 100,
        channel, t.year % 100, t.month, t.day, t.hour, t.minute, t.second, kind, value);
    return line;
}

} // namespace loggersim
