#pragma once

#include <ctime>
#include <optional>

// The broken-down local time of t (the C library's localtime, made safe to call again).
// False when t has no local time.
bool LocalTimeOf(std::time_t t, std::tm& local);

// The time of the local date and time given (month 1..12), daylight saving time left to the C
// library (its mktime); a day past the end of its month rolls into the next month. Nothing
// when the C library cannot represent it.
std::optional<std::time_t> MakeLocalTime(
    int year, int month, int day, int hour, int minute, int second);
