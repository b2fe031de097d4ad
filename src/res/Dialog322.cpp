#include "res/DialogTemplates.h"

const DialogTemplate& Dialog322()
{
    using namespace ControlStyle;
    static const DialogTemplate tmpl{322, "Logger setting", 377, 96, 8, DialogStyle::SysMenu,
        {
            {-1, ControlKind::GroupBox, "Logger setting", 7, 7, 363, 58},
            {1014, ControlKind::Button, "Logger #1", 17, 22, 45, 16, Disabled},
            {1015, ControlKind::Button, "Logger #2", 67, 22, 45, 16, Disabled},
            {1016, ControlKind::Button, "Logger #3", 117, 22, 45, 16, Disabled},
            {1017, ControlKind::Button, "Logger #4", 167, 22, 45, 16, Disabled},
            {1018, ControlKind::Button, "Logger #5", 217, 22, 45, 16, Disabled},
            {1019, ControlKind::Button, "Logger #6", 267, 22, 45, 16, Disabled},
            {1020, ControlKind::Button, "Logger #7", 317, 22, 45, 16, Disabled},
            {1012, ControlKind::Button, "Changing quantity of Loggers", 17, 43, 120, 15, Disabled},
            {1004, ControlKind::Button, "OK", 163, 73, 50, 16, Default},
        }};
    return tmpl;
}
