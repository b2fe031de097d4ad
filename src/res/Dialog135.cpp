#include "res/DialogTemplates.h"
#include "res/LoggerChoiceTemplate.h"

const DialogTemplate& Dialog135()
{
    using namespace ControlStyle;
    static const DialogTemplate tmpl{135, "Memory Check", 171, 96, 10, DialogStyle::SysMenu,
        LoggerChoiceControls({
            {-1, ControlKind::Static, "Measured counts", 14, 50, 60, 8},
            {1077, ControlKind::Static, "", 76, 50, 50, 8, Right},
            {-1, ControlKind::Static, "points", 130, 50, 30, 8},
            {-1, ControlKind::Static, "Memory used", 14, 63, 60, 8},
            {1078, ControlKind::Static, "", 76, 63, 50, 8, Right},
            {-1, ControlKind::Static, "%", 130, 63, 30, 8},
            {IDOK, ControlKind::Button, "Check", 60, 77, 50, 14, Default},
        })};
    return tmpl;
}
