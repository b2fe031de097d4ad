#include "platform/LocalTime.h"
#include "platform/LocalTimeConverter.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Day
{
    int year, month, day;
};

// Runs on the time zone rules of places with daylight saving time.
class LocalTimeConverterTest : public ::testing::Test
{
protected:
    void SetUp() override { saved = qgetenv("TZ"); }
    void TearDown() override
    {
        qputenv("TZ", saved);
        tzset();
    }

    // False when this machine has no rules for the zone (it then reads as UTC).
    static bool UseZone(const char* zone, std::time_t summerMoment)
    {
        qputenv("TZ", zone);
        tzset();
        std::tm probe{};
        return LocalTimeOf(summerMoment, probe) && probe.tm_isdst > 0;
    }

    static bool ReadsAs(std::time_t t, const Day& d, int hour, int minute, int second)
    {
        std::tm local{};
        return LocalTimeOf(t, local) && local.tm_year + 1900 == d.year
            && local.tm_mon + 1 == d.month && local.tm_mday == d.day && local.tm_hour == hour
            && local.tm_min == minute && local.tm_sec == second;
    }

    // Every 7th minute of the days, through one converter, against mktime. The two may differ
    // only for a clock reading that occurs twice, and then both must be that reading.
    static void CompareDays(std::initializer_list<Day> days)
    {
        LocalTimeConverter converter;
        for (const Day& d : days) {
            for (int hour = 0; hour < 24; ++hour) {
                for (int minute = 0; minute < 60; minute += 7) {
                    const int second = (minute * 13) % 60;
                    const auto fast
                        = converter.Convert(d.year, d.month, d.day, hour, minute, second);
                    const auto direct = MakeLocalTime(d.year, d.month, d.day, hour, minute, second);
                    ASSERT_TRUE(fast && direct);
                    if (*fast == *direct)
                        continue;
                    EXPECT_TRUE(ReadsAs(*fast, d, hour, minute, second)
                        && ReadsAs(*direct, d, hour, minute, second))
                        << d.month << "/" << d.day << " " << hour << ":" << minute << ":" << second;
                }
            }
        }
    }

    QByteArray saved;
};

TEST_F(LocalTimeConverterTest, AgreesWithMktimeAroundClockChangesOnTheHour)
{
    if (!UseZone("Europe/Berlin", 1719835200)) // 1 July 2024
        GTEST_SKIP() << "no zone rules for Europe/Berlin here";
    // 31 March 2024 02:00 -> 03:00, 27 October 2024 03:00 -> 02:00; 31 April is 1 May.
    CompareDays({{2024, 3, 30}, {2024, 3, 31}, {2024, 4, 1}, {2024, 10, 26}, {2024, 10, 27},
        {2024, 10, 28}, {2024, 1, 5}, {2024, 4, 31}});
}

TEST_F(LocalTimeConverterTest, AgreesWithMktimeAroundClockChangesInsideAnHour)
{
    if (!UseZone("America/St_Johns", 1278000000)) // 1 July 2010
        GTEST_SKIP() << "no zone rules for America/St_Johns here";
    // In 2010 the clock went from 00:01 to 01:01 on 14 March and from 00:01 back to 23:01 on
    // 7 November: one hour holds times of two offsets.
    CompareDays(
        {{2010, 3, 13}, {2010, 3, 14}, {2010, 3, 15}, {2010, 11, 6}, {2010, 11, 7}, {2010, 11, 8}});
}

} // namespace
