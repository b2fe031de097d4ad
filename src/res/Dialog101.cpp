#include "res/DialogTemplates.h"

namespace {

constexpr unsigned Caption = ControlStyle::Center | ControlStyle::VCenter;
constexpr unsigned Off = ControlStyle::Disabled;

} // namespace

// The main screen: configuration list and schedule on the left, the selected
// configuration's information and the line commands in the middle, the communication
// check and the entry to manual measurement on the right.
const DialogTemplate& Dialog101()
{
    static const DialogTemplate tmpl{101, "", 468, 287, 9, DialogStyle::None,
        {
            {1086, ControlKind::Static, "Logger selection", 7, 7, 150, 12, Caption},
            {1002, ControlKind::ListBox, "", 7, 23, 150, 178, ControlStyle::VScroll},
            {1005, ControlKind::Button, "Open Logger", 7, 205, 73, 16},
            {1037, ControlKind::Button, "Close Logger", 84, 205, 73, 16, Off},
            {1089, ControlKind::Static, "Schedule", 7, 229, 150, 12, Caption},
            {1035, ControlKind::Custom, "Schedule start", 7, 245, 73, 35, Off},
            {1036, ControlKind::Custom, "Schedule stop", 84, 245, 73, 35, Off},
            {1128, ControlKind::Frame, "", 163, 7, 1, 273},

            {1087, ControlKind::Static, "Information", 170, 7, 164, 12, Caption},
            {1150, ControlKind::Static, "Logger Name", 170, 27, 74, 8},
            {1006, ControlKind::ComboBox, "", 248, 24, 86, 14},
            {-1, ControlKind::Static, "Quantity of Logger :", 170, 46, 74, 8},
            {1094, ControlKind::Static, "12EA", 248, 46, 86, 8},
            {-1, ControlKind::Static, "COM Port :", 170, 60, 74, 8},
            {1090, ControlKind::Static, "COM 1", 248, 60, 86, 8},
            {-1, ControlKind::Static, "Logger network :", 170, 74, 74, 8},
            {1096, ControlKind::Static, "Zigbee", 248, 74, 86, 8},
            {-1, ControlKind::Static, "Receiving schedule :", 170, 88, 74, 8},
            {1097, ControlKind::Static, "12 Hour 20 Minute", 248, 88, 86, 8},
            {-1, ControlKind::Static, "Erasing schedule :", 170, 102, 74, 8},
            {1098, ControlKind::Static, "Every received", 248, 102, 86, 8},
            {1058, ControlKind::Custom, "Connect", 170, 121, 164, 36, Off},
            {1060, ControlKind::Custom, "Receive Data", 170, 161, 164, 36, Off},
            {1061, ControlKind::Custom, "View Data", 170, 201, 164, 36, Off},
            {1063, ControlKind::Custom, "Disconnect", 170, 241, 164, 36, Off},
            {1129, ControlKind::Frame, "", 341, 7, 1, 273},

            {1088, ControlKind::Static, "Communication check", 348, 7, 113, 12, Caption},
            {1153, ControlKind::Static, "Logger ID", 348, 27, 40, 8},
            {1132, ControlKind::ComboBox, "", 390, 24, 36, 14, Off},
            {1095, ControlKind::Static, "12EA", 430, 27, 31, 8},
            {1059, ControlKind::Button, "Call", 348, 45, 113, 16, Off},
            {1154, ControlKind::Static, "Communication status", 348, 69, 113, 8},
            {1101, ControlKind::Custom, "GOOD", 348, 80, 54, 30, Off},
            {1100, ControlKind::Custom, "BAD", 407, 80, 54, 30, Off},
            {1155, ControlKind::Frame, "", 348, 123, 113, 1},

            {1091, ControlKind::Static, "Measurement", 348, 131, 113, 12, Caption},
            {-1, ControlKind::Static,
                "Click the Measurement button to enter the manual reading screen.", 348, 151, 113,
                34},
            {1062, ControlKind::Button, "Measurement", 348, 191, 113, 18, Off},
        }};
    return tmpl;
}
