#include "res/DialogTemplates.h"

const DialogTemplate& Dialog317()
{
    static const DialogTemplate tmpl{317, "Dialog", 179, 74, 8, DialogStyle::SysMenu,
        {
            {1002, ControlKind::Static, "", 7, 19, 165, 18},
            {1001, ControlKind::Button, "OK", 62, 50, 57, 17},
        }};
    return tmpl;
}
