#include "data/ChannelValue.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace {

// The value cut toward zero; a value beyond int saturates and NaN gives 0, where a plain
// conversion would be undefined.
int Truncated(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

std::string FormatChannelValue(int kind, float value)
{
    char text[64];
    std::to_chars_result result;
    if (kind > 3)
        result = std::to_chars(text, text + sizeof text, Truncated(value));
    else
        result
            = std::to_chars(text, text + sizeof text, value / 10.0f, std::chars_format::fixed, 1);
    return std::string(text, result.ptr);
}
