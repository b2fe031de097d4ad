#include "res/DialogTemplates.h"

namespace {

// One column of command lines: five edits, each with its Send button on the right (created
// off), and the list of replies below them.
void AddCommandColumn(
    std::vector<ControlTemplate>& controls, int x, const int (&edits)[5], int firstSend, int list)
{
    for (int row = 0; row < 5; ++row) {
        const int y = 66 + row * 16;
        controls.push_back({edits[row], ControlKind::Edit, "", x, y, 70, 12});
        controls.push_back({firstSend + row, ControlKind::Button, "Send", x + 74, y + 1, 28, 11,
            ControlStyle::Disabled});
    }
    controls.push_back({list, ControlKind::ListBox, "", x, 147, 100, 53, ControlStyle::VScroll});
}

std::vector<ControlTemplate> ZigbeeControls()
{
    using namespace ControlStyle;
    std::vector<ControlTemplate> controls{
        {-1, ControlKind::GroupBox, "Select the Logger", 7, 5, 229, 44},
        {1134, ControlKind::CheckBox, "Coordinator", 16, 17, 60, 10},
        {1131, ControlKind::CheckBox, "Logger", 16, 31, 40, 10},
        {1132, ControlKind::ComboBox, "", 58, 29, 30, 12, Editable},
        {-1, ControlKind::Static, "Comport", 98, 31, 30, 8},
        {1137, ControlKind::ComboBox, "", 128, 29, 44, 12, Editable},
        {32775, ControlKind::Button, "Connect", 182, 22, 46, 16, Default},
        {-1, ControlKind::GroupBox, "Set of Coordinator", 7, 53, 113, 153},
        {-1, ControlKind::GroupBox, "Set of Logger", 123, 53, 113, 153},
    };
    AddCommandColumn(controls, 12, {1004, 1005, 1006, 1007, 1008}, 1033, 1101);
    AddCommandColumn(controls, 128, {1010, 1012, 1013, 1014, 1015}, 1038, 1102);
    // Two lines room: the notice is shown in a large bold font.
    controls.push_back({1149, ControlKind::Static, "You must reboot the Logger after zigbee set!",
        7, 208, 176, 24});
    controls.push_back({1058, ControlKind::Button, "Close", 188, 213, 48, 14});
    return controls;
}

} // namespace

const DialogTemplate& Dialog154()
{
    static const DialogTemplate tmpl{
        154, "Zigbee set", 243, 234, 10, DialogStyle::SysMenu, ZigbeeControls()};
    return tmpl;
}
