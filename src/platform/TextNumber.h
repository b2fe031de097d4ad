#pragma once

#include <optional>
#include <string_view>

// The C library's atoi and atof over a field that need not end in NUL, the same whatever the
// C locale: leading white space, an optional sign, then as many digits (for the double also a
// decimal point and an exponent) as follow. Text that does not start with a number reads as
// 0. An integer beyond the int range saturates; a double beyond the double range reads as 0.
int LeadingInt(std::string_view text);
double LeadingDouble(std::string_view text);

// The whole text as an integer within [min, max]: white space around it, an optional sign and
// at least one digit, nothing else. Nothing for any other text, empty included, and for a
// value outside the range.
std::optional<long long> WholeInteger(std::string_view text, long long min, long long max);
