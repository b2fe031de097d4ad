#include "platform/TextNumber.h"

#include <charconv>
#include <climits>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Drops the leading white space and reads an optional sign; true for a minus.
bool TakeSign(std::string_view& text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return negative;
}

} // namespace

int LeadingInt(std::string_view text)
{
    const bool negative = TakeSign(text);
    long long value = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

double LeadingDouble(std::string_view text)
{
    const bool negative = TakeSign(text);
    // A second sign is no number; from_chars would take a minus here.
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(
        text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

std::optional<long long> WholeInteger(std::string_view text, long long min, long long max)
{
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    const bool negative = TakeSign(text);
    if (text.empty())
        return std::nullopt;
    // Beyond this the value is out of any range a field takes; stop before it overflows.
    constexpr long long Limit = LLONG_MAX / 10 - 10;
    long long value = 0;
    for (const char c : text) {
        if (!IsDigit(c) || value > Limit)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}
