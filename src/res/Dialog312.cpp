#include "res/DialogTemplates.h"

namespace S = ControlStyle;

const DialogTemplate& Dialog312()
{
    static const DialogTemplate tmpl{312, "Connect Option", 241, 403, 8, DialogStyle::SysMenu,
        {
            {1028, ControlKind::Static, "Logger Name", 10, 7, 58, 14, S::VCenter},
            {1004, ControlKind::Edit, "", 70, 7, 110, 14},
            {-1, ControlKind::Static, ".arf", 184, 7, 20, 14, S::VCenter},

            {1081, ControlKind::Static, "[ Logger Quantity and Network ]", 7, 29, 227, 11},
            {1005, ControlKind::CheckBox, "Single", 15, 44, 50, 10},
            {1006, ControlKind::CheckBox, "Multi", 70, 44, 50, 10},
            {-1, ControlKind::GroupBox, "", 15, 56, 211, 22},
            {1010, ControlKind::CheckBox, "RS-485", 25, 62, 60, 10},
            {1009, ControlKind::CheckBox, "Zigbee", 95, 62, 60, 10},
            {1020, ControlKind::CheckBox, "1", 15, 84, 26, 10},
            {1021, ControlKind::CheckBox, "2", 45, 84, 26, 10},
            {1022, ControlKind::CheckBox, "3", 75, 84, 26, 10},
            {1023, ControlKind::CheckBox, "4", 105, 84, 26, 10},
            {1027, ControlKind::CheckBox, "5", 135, 84, 26, 10},
            {1029, ControlKind::CheckBox, "6", 165, 84, 26, 10},
            {1030, ControlKind::CheckBox, "7", 195, 84, 26, 10},

            {1083, ControlKind::Static, "[ Connect Option ]", 7, 102, 227, 11},
            {-1, ControlKind::Static, "COM port", 15, 117, 42, 14, S::VCenter},
            {1007, ControlKind::ComboBox, "", 60, 117, 60, 14, S::Editable},
            {1008, ControlKind::RadioButton, "Use to direct connection", 15, 136, 150, 10,
                S::Group},
            {1011, ControlKind::RadioButton, "Use to modem connection", 15, 150, 150, 10},
            {-1, ControlKind::GroupBox, "Modem information", 15, 164, 211, 64},
            {-1, ControlKind::Static, "AT Command", 25, 178, 100, 14, S::VCenter},
            {1026, ControlKind::Edit, "", 130, 178, 88, 14},
            {-1, ControlKind::Static, "Disconnect adding command", 25, 196, 100, 14, S::VCenter},
            {1019, ControlKind::Edit, "", 130, 196, 88, 14},
            {-1, ControlKind::Static, "Phone number", 25, 214, 100, 14, S::VCenter},
            {1012, ControlKind::Edit, "", 130, 214, 88, 14},
            {-1, ControlKind::Static, "Browse of data file", 15, 235, 150, 10},
            {1084, ControlKind::Edit, "", 15, 246, 186, 14},
            {1033, ControlKind::Button, "...", 205, 246, 21, 14},

            {1082, ControlKind::Static, "[ Receiving schedule ]", 7, 268, 227, 11},
            {1013, ControlKind::CheckBox, "Set to schedule the function to receive data", 15, 284,
                211, 10},
            {-1, ControlKind::GroupBox, "Interval to receiving", 15, 298, 211, 50},
            {1014, ControlKind::CheckBox, "Minute", 25, 313, 50, 10, S::Disabled},
            {1015, ControlKind::Edit, "", 80, 311, 50, 14, S::Center | S::Disabled},
            {1016, ControlKind::CheckBox, "Delay", 25, 330, 50, 10, S::Disabled},
            {1017, ControlKind::Edit, "", 80, 328, 50, 14, S::Center | S::Disabled},
            {1018, ControlKind::CheckBox, "Erasing memory after receiving data", 15, 356, 211, 10},

            {1024, ControlKind::Button, "Save", 64, 378, 50, 16},
            {1025, ControlKind::Button, "Cancel", 127, 378, 50, 16},
        }};
    return tmpl;
}
