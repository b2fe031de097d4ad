#pragma once

#include <string>

// The display text of one raw reading by its kind code: above 3 (mV) the whole value, "%d"
// of it cut toward zero; otherwise (VW, RTD, thermistor, and any code up to 3) the value
// divided by 10 in single precision, "%.1f". Always with a decimal point, whatever the C
// locale, since table cells are separated by commas.
std::string FormatChannelValue(int kind, float value);
