#include "data/ReceiveSchedule.h"
#include "record/LoggerRecord.h"

#include <gtest/gtest.h>

#include <limits>
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

// Ticks once a second from one minute of day 6 to another and lists the minutes that received.
std::vector<int> ReceivedMinutes(LoggerRecord& record, int from, int to, int ticksPerMinute = 60)
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

TEST(ReceiveScheduleTest, HourlyFromMidnight)
{
    LoggerRecord record = Scheduled(60);
    EXPECT_EQ(ReceivedMinutes(record, 0, 181), (std::vector<int>{0, 60, 120, 180}));
}

TEST(ReceiveScheduleTest, AStartAfterTheHourWaitsForTheNextOne)
{
    LoggerRecord record = Scheduled(60);
    EXPECT_EQ(ReceivedMinutes(record, 10 * 60 + 37, 12 * 60), (std::vector<int>{660, 720}));
}

TEST(ReceiveScheduleTest, DelayedStartEveryTwoHours)
{
    LoggerRecord record = Scheduled(120, true, 30);
    EXPECT_EQ(ReceivedMinutes(record, 0, 300, 2), (std::vector<int>{30, 150, 270}));
}

TEST(ReceiveScheduleTest, NoIntervalReceivesOnceADay)
{
    LoggerRecord record = Scheduled(0, true, 5);
    EXPECT_EQ(ReceivedMinutes(record, 0, 1439, 3), (std::vector<int>{5}));
    // The next day starts over.
    EXPECT_TRUE(TakeScheduledTurn(record, {7, 5}));
    EXPECT_FALSE(TakeScheduledTurn(record, {7, 5}));
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
}

// Numbers from a file of any origin: the arithmetic never overflows and a huge interval means
// one receive a day.
TEST(ReceiveScheduleTest, HugeNumbersFromAFileNeitherOverflowNorReceiveTwice)
{
    LoggerRecord record = Scheduled(std::numeric_limits<int>::max(), true, 5);
    EXPECT_EQ(ReceivedMinutes(record, 0, 1439, 1), (std::vector<int>{5}));
    record.m_nReceiveDelay = std::numeric_limits<int>::max();
    record.m_nLastDay = 0;
    EXPECT_EQ(ReceivedMinutes(record, 0, 1439, 1), (std::vector<int>{}));
    for (const int next : {std::numeric_limits<int>::max() - 1, std::numeric_limits<int>::min()}) {
        record.m_nLastDay = 6;
        record.m_nNextReceive = next;
        EXPECT_FALSE(TakeScheduledTurn(record, {6, 700}));
        EXPECT_FALSE(TakeScheduledTurn(record, {6, 1439}));
    }
}

TEST(ReceiveScheduleTest, ANewDayRestartsAndAnInvalidTimeReceivesNothing)
{
    LoggerRecord record = Scheduled(600);
    EXPECT_EQ(ReceivedMinutes(record, 0, 1439, 1), (std::vector<int>{0, 600, 1200}));
    EXPECT_GE(record.m_nNextReceive, 24 * 60); // nothing more today
    EXPECT_TRUE(TakeScheduledTurn(record, {7, 0}));

    const ScheduleTime invalid = ScheduleTimeOf(QDateTime());
    EXPECT_EQ(invalid.day, 0);
    EXPECT_EQ(invalid.minuteOfDay, -61);
    EXPECT_FALSE(TakeScheduledTurn(record, invalid));
    const ScheduleTime time = ScheduleTimeOf(QDateTime(QDate(2026, 12, 6), QTime(10, 37, 59)));
    EXPECT_EQ(time.day, 6);
    EXPECT_EQ(time.minuteOfDay, 637);
}

} // namespace
