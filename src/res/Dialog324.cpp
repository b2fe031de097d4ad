#include "res/DialogTemplates.h"

const DialogTemplate& Dialog324()
{
    static const DialogTemplate tmpl{324, "Dialog", 227, 70, 8, DialogStyle::SysMenu,
        {
            {-1, ControlKind::GroupBox, "Selecting Loggers", 7, 5, 213, 34},
            {1020, ControlKind::CheckBox, "1", 19, 20, 24, 10},
            {1021, ControlKind::CheckBox, "2", 48, 20, 24, 10},
            {1022, ControlKind::CheckBox, "3", 77, 20, 24, 10},
            {1023, ControlKind::CheckBox, "4", 106, 20, 24, 10},
            {1027, ControlKind::CheckBox, "5", 135, 20, 24, 10},
            {1029, ControlKind::CheckBox, "6", 164, 20, 24, 10},
            {1030, ControlKind::CheckBox, "7", 193, 20, 24, 10},
            {1001, ControlKind::Button, "OK", 88, 47, 50, 14},
        }};
    return tmpl;
}
