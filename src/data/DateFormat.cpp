#include "data/DateFormat.h"

#include "platform/LocalTime.h"

namespace {

const DateFormatStyle DateFormats[DateFormatCount] = {
    {"yyyy/mm/dd  hh:mm:ss", "%Y/%m/%d", "%H:%M:%S"},
    {"yyyy/mm/dd  hh:mm", "%Y/%m/%d", "%H:%M"},
    {"yy/mm/dd  hh:mm:ss", "%y/%m/%d", "%H:%M:%S"},
    {"yy/mm/dd  hh:mm", "%y/%m/%d", "%H:%M"},
    {"mm/dd/yyyy  hh:mm:ss", "%m/%d/%Y", "%H:%M:%S"},
    {"mm/dd/yyyy hh:mm", "%m/%d/%Y", "%H:%M"},
};

std::string FormatTm(const char* pattern, const std::tm& local)
{
    char text[64];
    const size_t length = std::strftime(text, sizeof text, pattern, &local);
    return std::string(text, length);
}

} // namespace

const DateFormatStyle* FindDateFormat(int value)
{
    if (value < 0 || value >= DateFormatCount)
        return nullptr;
    return &DateFormats[value];
}

DateTimeTexts FormatDateTime(const DateFormatStyle& style, std::time_t t)
{
    std::tm local{};
    if (!LocalTimeOf(t, local))
        return {};
    return {FormatTm(style.datePattern, local), FormatTm(style.timePattern, local)};
}
