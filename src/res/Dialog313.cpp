#include "res/DialogTemplates.h"
#include "res/LoggerChoiceTemplate.h"

const DialogTemplate& Dialog313()
{
    static const DialogTemplate tmpl{313, "Reset", 171, 75, 10, DialogStyle::SysMenu,
        LoggerChoiceControls({
            {1000, ControlKind::Button, "Reset", 60, 52, 50, 14, ControlStyle::Default},
        })};
    return tmpl;
}
