#include "platform/LocalTimeConverter.h"

#include "platform/LocalTime.h"

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// The local time's lead over UTC at t, in seconds.
std::optional<long long> OffsetAt(std::time_t t)
{
    std::tm local{};
    if (!LocalTimeOf(t, local))
        return std::nullopt;
    const long long days = DaysFromCivil(local.tm_year + 1900LL,
        static_cast<unsigned>(local.tm_mon + 1), static_cast<unsigned>(local.tm_mday));
    const long long wall
        = days * 86400 + local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
    return wall - static_cast<long long>(t);
}

} // namespace

bool LocalTimeConverter::IsSteadyAround(std::time_t t) const
{
    // Offsets change at most a few times a year; the same offset three hours before and four
    // hours after the hour means no change touches any time of it.
    const auto before = OffsetAt(t - 3 * 3600);
    const auto at = OffsetAt(t);
    const auto after = OffsetAt(t + 4 * 3600);
    return before && at && after && *before == *at && *at == *after;
}

std::optional<std::time_t> LocalTimeConverter::Convert(
    int year, int month, int day, int hour, int minute, int second)
{
    if (!m_haveHour || year != m_year || month != m_month || day != m_day || hour != m_hour) {
        m_haveHour = true;
        m_year = year;
        m_month = month;
        m_day = day;
        m_hour = hour;
        m_hourStart = MakeLocalTime(year, month, day, hour, 0, 0);
        m_steady = m_hourStart && IsSteadyAround(*m_hourStart);
    }
    const bool inHour = minute >= 0 && minute < 60 && second >= 0 && second < 60;
    if (!m_steady || !inHour)
        return MakeLocalTime(year, month, day, hour, minute, second);
    return *m_hourStart + static_cast<std::time_t>(minute * 60 + second);
}
