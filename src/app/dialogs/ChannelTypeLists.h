#pragma once

// How a channel's reading types show in the settings lists and how a list choice is stored.
// VW list: index k-1 is "Sweep %02d" of type k (1..4). Analog list: 0 "Thermistor" (type 3),
// 1 "mV" (4), 2 "RTD" (2). Type 0 is off: check off, index 0.
struct ShownType
{
    bool checked;
    int index; // -1: a type the list does not hold
};

namespace ChannelTypeLists {
inline constexpr int VwEntries = 4;
inline constexpr int AnalogEntries = 3;

ShownType ShowVw(int vwType);
ShownType ShowAnalog(int analogType);
// The stored type of a check and a list index (-1: no selection): VW off or no selection
// gives 0; analog index 2 or more gives RTD (2), else index + 3, so no selection gives RTD.
int StoreVw(bool checked, int index);
int StoreAnalog(bool checked, int index);
} // namespace ChannelTypeLists
