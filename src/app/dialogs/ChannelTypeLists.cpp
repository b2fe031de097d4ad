#include "app/dialogs/ChannelTypeLists.h"

namespace ChannelTypeLists {

namespace {

constexpr int Rtd = 2;

int InList(int index, int entries)
{
    return index >= 0 && index < entries ? index : -1;
}

} // namespace

ShownType ShowVw(int vwType)
{
    if (vwType <= 0)
        return {false, 0};
    return {true, InList(vwType - 1, VwEntries)};
}

ShownType ShowAnalog(int analogType)
{
    if (analogType <= 0)
        return {false, 0};
    return {true, analogType == Rtd ? 2 : InList(analogType - 3, AnalogEntries)};
}

int StoreVw(bool checked, int index)
{
    return checked && index >= 0 ? index + 1 : 0;
}

int StoreAnalog(bool checked, int index)
{
    if (!checked)
        return 0;
    return index >= 2 ? Rtd : index + 3;
}

} // namespace ChannelTypeLists
