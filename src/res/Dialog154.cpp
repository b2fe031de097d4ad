#include "res/DialogTemplates.h"

namespace {

// One column of command lines: five edits, each with its Send button on the right (created
// off), and the list of replies below them. An edit holds the longest preset,
// "at+settarget" and sixteen digits, whole.
void AddCommandColumn(
    std::vector<ControlTemplate>& controls, int x, const int (&edits)[5], int firstSend, int list)
{
    constexpr int EditWidth = 118;
    for (int row = 0; row < 5; ++row) {
        const int y = 66 + row * 16;
        controls.push_back({edits[row], ControlKind::Edit, "", x, y, EditWidth, 12});
        controls.push_back({firstSend + row, ControlKind::Button, "Send", x + EditWidth + 4, y + 1,
            28, 11, ControlStyle::Disabled});
    }
    controls.push_back(
        {list, ControlKind::ListBox, "", x, 147, EditWidth + 32, 53, ControlStyle::VScroll});
}

std::vector<ControlTemplate> ZigbeeControls()
{
    using namespace ControlStyle;
    std::vector<ControlTemplate> controls{
        {-1, ControlKind::GroupBox, "Select the Logger", 7, 5, 324, 44},
        {1134, ControlKind::CheckBox, "Coordinator", 16, 17, 60, 10},
        {1131, ControlKind::CheckBox, "Logger", 16, 31, 40, 10},
        {1132, ControlKind::ComboBox, "", 58, 29, 30, 12, Editable},
        {-1, ControlKind::Static, "Comport", 98, 31, 30, 8},
        {1137, ControlKind::ComboBox, "", 128, 29, 44, 12, Editable},
        {32775, ControlKind::Button, "Connect", 277, 22, 46, 16, Default},
        {-1, ControlKind::GroupBox, "Set of Coordinator", 7, 53, 160, 153},
        {-1, ControlKind::GroupBox, "Set of Logger", 171, 53, 160, 153},
    };
    AddCommandColumn(controls, 12, {1004, 1005, 1006, 1007, 1008}, 1033, 1101);
    AddCommandColumn(controls, 176, {1010, 1012, 1013, 1014, 1015}, 1038, 1102);
    // Two lines room: the notice is shown in a large bold font.
    controls.push_back({1149, ControlKind::Static, "You must reboot the Logger after zigbee set!",
        7, 208, 268, 24});
    controls.push_back({1058, ControlKind::Button, "Close", 283, 213, 48, 14});
    return controls;
}

} // namespace

const DialogTemplate& Dialog154()
{
    static const DialogTemplate tmpl{
        154, "Zigbee set", 338, 234, 10, DialogStyle::SysMenu, ZigbeeControls()};
    return tmpl;
}
