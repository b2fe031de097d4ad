#include "res/ChannelSettingIds.h"
#include "res/DialogTemplates.h"

#include <vector>

namespace {

using namespace ChannelSettingIds;
using namespace ControlStyle;

constexpr int FirstRowY = 76;
constexpr int RowStep = 12;

const char* const RowLabels[16]
    = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"};

std::vector<ControlTemplate> Controls()
{
    std::vector<ControlTemplate> controls{
        {IDC_ID_CAPTION, ControlKind::Static, "Logger ID :", 14, 9, 48, 11, VCenter},
        {IDC_LOGGER_ID, ControlKind::Static, "01", 64, 9, 20, 11, VCenter},
        {IDC_NETWORK, ControlKind::Static, "", 100, 10, 144, 10, VCenter},
        {-1, ControlKind::GroupBox, "Selection of using sensor type", 7, 26, 237, 244},
        {IDC_READING, ControlKind::Button, "Reading set channels", 148, 38, 88, 14},
        {-1, ControlKind::Static, "CH. No", 14, 61, 30, 10, Center | VCenter},
        {IDC_ALL_VW, ControlKind::CheckBox, "VW", 54, 60, 70, 11},
        {IDC_ALL_ANALOG, ControlKind::CheckBox, "Analog", 140, 60, 90, 11},
        {-1, ControlKind::Frame, "", 14, 73, 222, 1},
    };
    for (int ch = 0; ch < 16; ++ch) {
        const ChannelRowIds& row = ChannelRows[ch];
        const int y = FirstRowY + ch * RowStep;
        controls.push_back(
            {row.label, ControlKind::Static, RowLabels[ch], 14, y, 30, 11, Center | VCenter});
        controls.push_back({row.vwCheck, ControlKind::CheckBox, "", 54, y, 10, 11});
        controls.push_back({row.vwList, ControlKind::ComboBox, "", 66, y, 62, 11, Editable});
        controls.push_back({row.analogCheck, ControlKind::CheckBox, "", 140, y, 10, 11});
        controls.push_back({row.analogList, ControlKind::ComboBox, "", 152, y, 72, 11, Editable});
    }
    const std::vector<ControlTemplate> tail{
        {-1, ControlKind::Static, "Measuring interval", 10, 282, 66, 11, VCenter},
        {IDC_HOURS, ControlKind::Edit, "", 78, 281, 22, 13, Right},
        {-1, ControlKind::Static, "Hour", 102, 282, 18, 11, VCenter},
        {IDC_MINUTES, ControlKind::Edit, "", 122, 281, 22, 13, Right},
        {-1, ControlKind::Static, "Minute", 146, 282, 26, 11, VCenter},
        {IDC_SCHEDULE, ControlKind::ComboBox, "", 178, 281, 64, 13, Editable},
        {IDC_SEND, ControlKind::Button, "Send setting", 46, 306, 72, 18},
        {IDC_CANCEL, ControlKind::Button, "Cancel", 133, 306, 72, 18},
    };
    controls.insert(controls.end(), tail.begin(), tail.end());
    return controls;
}

} // namespace

const DialogTemplate& Dialog139()
{
    static const DialogTemplate tmpl{
        139, "Logger Setting", 251, 333, 10, DialogStyle::SysMenu, Controls()};
    return tmpl;
}
