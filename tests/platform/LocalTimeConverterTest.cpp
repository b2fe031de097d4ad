#include "platform/LocalTime.h"
#include "platform/LocalTimeConverter.h"

#include <QByteArray>
#include <QScopeGuard>

#include <gtest/gtest.h>

#include <ctime>

namespace {

struct Day
{
    int year, month, day;
};

// On the rules of zone (skipped when this machine has none: it reads summer as standard time),
// every 7th minute of the days, through one converter, against mktime; each hour of every day
// in turn, so that the converter sees the same hour of another day next. The two may differ
// only for a clock reading that occurs twice, and then both must be it.
void CompareDays(const char* zone, std::time_t summer, std::initializer_list<Day> days)
{
    qputenv("TZ", zone);
    tzset();
    std::tm local{};
    if (!LocalTimeOf(summer, local) || local.tm_isdst <= 0)
        GTEST_SKIP() << "no zone rules for " << zone << " here";
    LocalTimeConverter converter;
    for (int hour = 0; hour < 24; ++hour) {
        for (const Day& d : days) {
            for (int minute = 0; minute < 60; minute += 7) {
                const int second = (minute * 13) % 60;
                const auto reads = [&](std::time_t t) {
                    return LocalTimeOf(t, local) && local.tm_year + 1900 == d.year
                        && local.tm_mon + 1 == d.month && local.tm_mday == d.day
                        && local.tm_hour == hour && local.tm_min == minute
                        && local.tm_sec == second;
                };
                const auto fast = converter.Convert(d.year, d.month, d.day, hour, minute, second);
                const auto direct = MakeLocalTime(d.year, d.month, d.day, hour, minute, second);
                ASSERT_TRUE(fast && direct);
                EXPECT_TRUE(*fast == *direct || (reads(*fast) && reads(*direct)))
                    << d.month << "/" << d.day << " " << hour << ":" << minute << ":" << second;
            }
        }
    }
}

TEST(LocalTimeConverterTest, AgreesWithMktimeAroundClockChanges)
{
    const auto restore = qScopeGuard([saved = qgetenv("TZ")] {
        qputenv("TZ", saved);
        tzset();
    });
    // 31 March 2024 02:00 -> 03:00, 27 October 2024 03:00 -> 02:00; 31 April is 1 May.
    CompareDays("Europe/Berlin", 1719835200, // 1 July 2024
        {{2024, 3, 30}, {2024, 3, 31}, {2024, 4, 1}, {2024, 10, 26}, {2024, 10, 27}, {2024, 10, 28},
            {2024, 1, 5}, {2024, 4, 31}});
    // In 2010 the clock went from 00:01 to 01:01 on 14 March and from 00:01 back to 23:01 on
    // 7 November: one hour holds times of two offsets.
    CompareDays("America/St_Johns", 1278000000, // 1 July 2010
        {{2010, 3, 13}, {2010, 3, 14}, {2010, 3, 15}, {2010, 11, 6}, {2010, 11, 7}, {2010, 11, 8}});
}

} // namespace
