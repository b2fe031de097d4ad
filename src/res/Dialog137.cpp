#include "res/DialogTemplates.h"

const DialogTemplate& Dialog137()
{
    using namespace ControlStyle;
    static const DialogTemplate tmpl{137, "Time Set", 190, 236, 10, DialogStyle::SysMenu,
        {
            {-1, ControlKind::GroupBox, "Select Logger", 7, 7, 176, 34},
            {1011, ControlKind::Static, "Logger ID", 48, 22, 42, 8},
            // Combo heights are the closed field's, as in every template here.
            {1132, ControlKind::ComboBox, "", 114, 20, 38, 12, Editable | Sorted},
            {-1, ControlKind::GroupBox, "Set the date/time format", 7, 44, 176, 34},
            {1134, ControlKind::ComboBox, "", 27, 58, 136, 12, Editable},
            {-1, ControlKind::GroupBox, "Request of current time", 7, 81, 176, 62},
            {1030, ControlKind::Button, "Request", 27, 94, 136, 12},
            {-1, ControlKind::Static, "Current time of Logger", 13, 111, 118, 8},
            {1004, ControlKind::Edit, "", 27, 124, 136, 12},
            {-1, ControlKind::GroupBox, "Set time in Logger", 7, 150, 176, 61},
            {1031, ControlKind::Button, "Match computer", 27, 162, 136, 12},
            {-1, ControlKind::Static, "Year-month-day", 13, 182, 67, 9},
            {1012, ControlKind::Edit, "", 69, 181, 30, 12},
            {-1, ControlKind::Static, " -", 99, 183, 10, 8},
            {1013, ControlKind::Edit, "", 109, 181, 16, 12},
            {-1, ControlKind::Static, " -", 125, 183, 10, 8},
            {1014, ControlKind::Edit, "", 135, 181, 16, 12},
            {-1, ControlKind::Static, "Hour-minute-second", 13, 197, 68, 9},
            {1015, ControlKind::Edit, "", 83, 195, 16, 12},
            {-1, ControlKind::Static, " :", 99, 197, 10, 8},
            {1016, ControlKind::Edit, "", 109, 195, 16, 12},
            {-1, ControlKind::Static, " :", 125, 197, 10, 8},
            {1017, ControlKind::Edit, "", 135, 195, 16, 12},
            {1032, ControlKind::Button, "Set", 153, 178, 28, 31},
            {1001, ControlKind::Button, "OK", 20, 217, 72, 12},
            {1019, ControlKind::Button, "Cancel", 97, 217, 72, 12},
        }};
    return tmpl;
}
