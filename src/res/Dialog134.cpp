#include "res/DialogTemplates.h"
#include "res/LoggerChoiceTemplate.h"

const DialogTemplate& Dialog134()
{
    static const DialogTemplate tmpl{134, "Format memory", 171, 75, 10, DialogStyle::SysMenu,
        LoggerChoiceControls({
            {1107, ControlKind::Button, "Format", 60, 52, 50, 14, ControlStyle::Default},
        })};
    return tmpl;
}
