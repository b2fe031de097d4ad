#include "app/MeasuredReading.h"

#include "data/ChannelValue.h"
#include "platform/TextNumber.h"

namespace {

// Any kind up to 3 prints v / 10 in single precision with one decimal, as reading A is shown,
// and with a decimal point whatever the C locale.
constexpr int VwKind = 1;

// Every occurrence of from, left to right; the replacement text is not searched again.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

} // namespace

std::string ConvertMeasureReply(const MeasureReply& reply, char reading, int analogType)
{
    const std::string token = LoggerCommand::Field(reply, 2);
    const float value = static_cast<float>(LeadingDouble(token));
    const std::string text = FormatChannelValue(reading == 'A' ? VwKind : analogType, value);
    return ReplaceAll(reply, token, text);
}
