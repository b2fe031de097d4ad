#include "res/DialogTemplates.h"

const DialogTemplate& Dialog311()
{
    static const DialogTemplate tmpl{311, "Open Logger", 309, 114, 8, DialogStyle::SysMenu,
        {
            {1001, ControlKind::ListView, "", 8, 9, 133, 68},
            {1002, ControlKind::ListView, "", 161, 9, 133, 68},
            {1005, ControlKind::Button, "Open", 12, 85, 40, 14},
            {1003, ControlKind::Button, "Add New", 56, 85, 40, 14},
            {1004, ControlKind::Button, "Delete", 101, 84, 40, 14},
            {1033, ControlKind::Button, "Remove", 161, 85, 40, 14},
            {1034, ControlKind::Button, "Apply", 208, 85, 40, 14},
            {1019, ControlKind::Button, "Cancel", 255, 85, 40, 14},
            {-1, ControlKind::Frame, "", 151, 4, 1, 107},
        }};
    return tmpl;
}
