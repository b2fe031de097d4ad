#include "res/DialogTemplates.h"
#include "res/GraphIds.h"

namespace S = ControlStyle;
using namespace GraphIds;

// 1062 is a check box with the look of a push button, and 1010 has its text on the left:
// the graph window makes both itself.
const DialogTemplate& Dialog141()
{
    static const DialogTemplate tmpl{141, "Graph", 510, 340, 10,
        DialogStyle::SysMenu | DialogStyle::Resizable | DialogStyle::MinMax,
        {
            {IDC_GRAPH_FRAME, ControlKind::GroupBox, "", 7, 3, 496, 309},
            {IDC_GRAPH_SET, ControlKind::Button, "&Graph set", 449, 318, 54, 15},
            {IDC_MEASURE_ONCE, ControlKind::Button, "&Measured one time", 350, 318, 70, 15},
            {IDC_EVERY, ControlKind::Static, "Measured every", 165, 322, 55, 9},
            {IDC_INTERVAL, ControlKind::Edit, "", 224, 321, 30, 12, S::Border},
            {IDC_SEC, ControlKind::Static, "sec.", 258, 322, 14, 9},
            {IDC_NOW_MEASURE, ControlKind::CheckBox, "&Now measure", 287, 318, 61, 15},
            {IDC_SAVE_READING, ControlKind::CheckBox, "Save the manual reading", 7, 322, 92, 8},
        }};
    return tmpl;
}
