#include "res/DialogTemplates.h"

const DialogTemplate& Dialog160()
{
    using namespace ControlStyle;
    static const DialogTemplate tmpl{160, "Quorbel", 168, 68, 10, DialogStyle::SysMenu,
        {
            {1002, ControlKind::Static, "", 16, 13, 134, 11, Center | VCenter},
            {1003, ControlKind::Progress, "", 18, 33, 131, 10},
            {1005, ControlKind::Custom, "", 0, 0, 99, 31, Hidden},
        }};
    return tmpl;
}
