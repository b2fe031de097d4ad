#pragma once

#include <cstdarg>
#include <string>

// printf-style formatting into a std::string: protocol and file text stays bytes.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatStringV(const char* format, va_list args);
