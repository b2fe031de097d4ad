#include "data/ReceiveSchedule.h"
#include "record/LoggerRecord.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

LoggerRecord Scheduled(int interval, bool delayOn = false, int delay = 0)
{
    LoggerRecord record = NewLoggerRecord("s", "/");
    record.m_bAutoReceive = 1;
    record.m_nReceiveInterval = interval;
    record.m_bDelayOn = delayOn;
    record.m_nReceiveDelay = delay;
    return record;
}

// Ticks ticksPerMinute times a minute from one minute of day 6 to another and lists the
// minutes that received.
std::vector<int> ReceivedMinutes(LoggerRecord& record, int from, int to, int ticksPerMinute)
{
    std::vector<int> minutes;
    for (int minute = from; minute <= to; ++minute) {
        for (int tick = 0; tick < ticksPerMinute; ++tick) {
            if (TakeScheduledTurn(record, {6, minute}))
                minutes.push_back(minute);
        }
    }
    return minutes;
}

// Numbers from a file of any origin never overflow: a huge interval means one receive a day.
TEST(ReceiveScheduleTest, EachIntervalAndDelayReceivesOnItsMinutes)
{
    const struct
    {
        int interval;
        bool delayOn;
        int delay, from, to, ticks;
        std::vector<int> minutes;
    } cases[] = {{60, false, 30, 0, 181, 60, {0, 60, 120, 180}}, // a delay that is off
        {60, false, 0, 10 * 60 + 37, 12 * 60, 60, {660, 720}}, // a start after the hour
        {120, true, 30, 0, 300, 2, {30, 150, 270}}, {600, false, 0, 0, 1439, 1, {0, 600, 1200}},
        {0, true, 5, 0, 1439, 3, {5}}, {INT_MAX, true, 5, 0, 1439, 1, {5}},
        {10, true, INT_MAX, 0, 1439, 1, {}}};
    for (const auto& c : cases) {
        LoggerRecord record = Scheduled(c.interval, c.delayOn, c.delay);
        EXPECT_EQ(ReceivedMinutes(record, c.from, c.to, c.ticks), c.minutes) << c.interval;
        EXPECT_TRUE(c.to < 1439 || record.m_nNextReceive >= 24 * 60); // nothing more today
        // The next day starts over.
        EXPECT_TRUE(c.minutes.empty() || TakeScheduledTurn(record, {7, c.delayOn ? c.delay : 0}));
    }
}

TEST(ReceiveScheduleTest, ALongReceiveDoesNotMakeUpPassedMinutes)
{
    LoggerRecord record = Scheduled(10);
    EXPECT_TRUE(TakeScheduledTurn(record, {6, 0}));
    // The receive took 25 minutes: 10 and 20 have passed, 30 is next.
    EXPECT_FALSE(TakeScheduledTurn(record, {6, 25}));
    EXPECT_EQ(record.m_nNextReceive, 30);
    // Landing exactly on a receive minute while catching up receives it.
    EXPECT_TRUE(TakeScheduledTurn(record, {6, 50}));
    EXPECT_EQ(record.m_nNextReceive, 60);
    record.m_nReceiveInterval = INT_MAX;
    for (const int next : {INT_MAX - 1, INT_MIN}) {
        record.m_nNextReceive = next;
        EXPECT_FALSE(TakeScheduledTurn(record, {6, 700}));
        EXPECT_FALSE(TakeScheduledTurn(record, {6, 1439}));
    }
}

TEST(ReceiveScheduleTest, AnInvalidTimeReceivesNothing)
{
    LoggerRecord record = Scheduled(1);
    EXPECT_TRUE(TakeScheduledTurn(record, {6, 0}));
    const ScheduleTime invalid = ScheduleTimeOf(QDateTime());
    EXPECT_FALSE(TakeScheduledTurn(record, invalid));
    EXPECT_FALSE(TakeScheduledTurn(record, invalid));
    const ScheduleTime time = ScheduleTimeOf(QDateTime(QDate(2026, 12, 6), QTime(10, 37, 59)));
    EXPECT_EQ(time.day, 6);
    EXPECT_EQ(time.minuteOfDay, 637);
}

} // namespace
