#pragma once

#include <QDateTime>

struct LoggerRecord;

// The scheduler's reading of the clock: the day of the month and the minute of the day of
// the local time; day 0 and minute -61 when there is no valid time.
struct ScheduleTime
{
    int day;
    int minuteOfDay;
};

ScheduleTime ScheduleTimeOf(const QDateTime& localTime);

// One tick of the daily receive schedule for a record that takes part in it: starts a new
// day's schedule when the day has changed, then tells whether the record is due now, moving
// its next receive minute past this one. A minute that has passed unreceived is not made up.
// A record is due at most once per minute: with no interval it receives at its first minute
// of the day only.
bool TakeScheduledTurn(LoggerRecord& record, const ScheduleTime& now);
