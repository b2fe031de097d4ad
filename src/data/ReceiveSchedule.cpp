#include "data/ReceiveSchedule.h"

#include "record/LoggerRecord.h"

#include <algorithm>

namespace {

// Past the last minute of a day: matches nothing until the day changes.
constexpr int NoMoreToday = 24 * 60;
// Enough steps of the smallest interval to pass every minute of a day.
constexpr int MaxCatchUpSteps = 1441;

// The next receive minute one interval on. Both numbers may come from a file of any origin:
// the sum is taken wide and held at NoMoreToday, which is as good as any later minute.
int Advance(int minute, int interval)
{
    return static_cast<int>(
        std::min<long long>(static_cast<long long>(minute) + interval, NoMoreToday));
}

// The editor's delay is unsigned: one past 2^31 - 1 minutes reads as negative here, and lies
// beyond the day as any delay of more than 1439 minutes does.
int FirstMinute(int delay)
{
    return delay < 0 ? NoMoreToday : delay;
}

// Moves the next receive past the minute just received; an interval read as negative is, like
// the delay, more minutes than a day holds.
void StepPastReceive(LoggerRecord& record)
{
    if (record.m_nReceiveInterval > 0)
        record.m_nNextReceive = Advance(record.m_nNextReceive, record.m_nReceiveInterval);
    else
        record.m_nNextReceive = NoMoreToday;
}

} // namespace

ScheduleTime ScheduleTimeOf(const QDateTime& localTime)
{
    if (!localTime.isValid())
        return {0, -61};
    const QTime time = localTime.time();
    return {localTime.date().day(), time.hour() * 60 + time.minute()};
}

bool TakeScheduledTurn(LoggerRecord& record, const ScheduleTime& now)
{
    if (record.m_nLastDay != now.day) {
        record.m_nLastDay = now.day;
        record.m_nNextReceive = record.m_bDelayOn ? FirstMinute(record.m_nReceiveDelay) : 0;
    }
    // Without a time of day nothing is due, whatever minute a file left behind.
    if (now.minuteOfDay < 0)
        return false;
    if (record.m_nNextReceive == now.minuteOfDay) {
        StepPastReceive(record);
        return true;
    }
    if (record.m_nNextReceive > now.minuteOfDay || record.m_nReceiveInterval <= 0)
        return false;
    for (int step = 0; step < MaxCatchUpSteps; ++step) {
        record.m_nNextReceive = Advance(record.m_nNextReceive, record.m_nReceiveInterval);
        if (record.m_nNextReceive == now.minuteOfDay) {
            StepPastReceive(record);
            return true;
        }
        if (record.m_nNextReceive > now.minuteOfDay)
            return false;
    }
    return false;
}
