#pragma once

#include <ctime>
#include <optional>

// MakeLocalTime for long runs of times in few distinct hours. mktime consults the time zone
// rules anew on every call (on Linux it checks the zone file), which dominates a table build;
// here mktime runs once per hour and the minutes and seconds are added, wherever the zone's
// offset from UTC stays the same for hours around that hour. Near a change of offset every
// time goes to mktime itself, so the results are always mktime's.
class LocalTimeConverter final
{
public:
    std::optional<std::time_t> Convert(
        int year, int month, int day, int hour, int minute, int second);

private:
    bool IsSteadyAround(std::time_t t) const;

    bool m_haveHour = false;
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
    int m_hour = 0;
    std::optional<std::time_t> m_hourStart;
    bool m_steady = false;
};
