#pragma once

#include <ctime>
#include <string>

// A date and time style of the table files (the record's m_nDateFormat, 0..5): the label of
// the style list and the strftime patterns of a row's date and time texts. Any other value
// stands for the raw texts of the record line (YYMMDD and HHMMSS). Local times are made with
// MakeLocalTime (platform/LocalTime.h).
struct DateFormatStyle
{
    const char* label;
    const char* datePattern;
    const char* timePattern;
};

inline constexpr int DateFormatCount = 6;

// The style of a value, or nullptr for a value outside 0..5.
const DateFormatStyle* FindDateFormat(int value);

struct DateTimeTexts
{
    std::string date;
    std::string time;
};

// The date and time texts of the local time t in the style given.
DateTimeTexts FormatDateTime(const DateFormatStyle& style, std::time_t t);
