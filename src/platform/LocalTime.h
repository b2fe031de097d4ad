#pragma once

#include <ctime>

// The broken-down local time of t (the C library's localtime, made safe to call again).
// False when t has no local time.
bool LocalTimeOf(std::time_t t, std::tm& local);
