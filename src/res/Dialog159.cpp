#include "res/DialogTemplates.h"

const DialogTemplate& Dialog159()
{
    static const DialogTemplate tmpl{159, "Data Receive", 231, 69, 10, DialogStyle::SysMenu,
        {
            {1022, ControlKind::Static, "Reading....", 18, 16, 192, 8},
            {1003, ControlKind::Progress, "", 24, 34, 185, 10},
            {1005, ControlKind::Button, "DOWN", 99, 18, 41, 11, ControlStyle::Hidden},
            {1004, ControlKind::Button, "Cancel", 82, 51, 70, 11, ControlStyle::Hidden},
        }};
    return tmpl;
}
