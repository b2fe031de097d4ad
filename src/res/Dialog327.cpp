#include "res/DialogTemplates.h"
#include "res/MeasurementIds.h"

// The controls sit above the readings list, which the dialog places at (10, 130) pixels.
const DialogTemplate& Dialog327()
{
    using namespace ControlStyle;
    using namespace MeasurementIds;
    static const DialogTemplate tmpl{327, "Measurement", 517, 270, 8,
        DialogStyle::SysMenu | DialogStyle::Resizable | DialogStyle::MinMax,
        {
            {-1, ControlKind::Static, "(A : VW, B : Analog)", 196, 6, 90, 8},
            {-1, ControlKind::Static, "Logger ID", 10, 20, 38, 8},
            {IDC_LOGGER_ID, ControlKind::ComboBox, "", 50, 18, 40, 14, Editable | VScroll},
            {-1, ControlKind::Static, "Channel", 102, 20, 30, 8},
            {IDC_CHANNEL, ControlKind::ComboBox, "", 134, 18, 46, 14, Editable | VScroll},
            {-1, ControlKind::Static, "Kind", 196, 20, 20, 8},
            {IDC_KIND, ControlKind::ComboBox, "", 218, 18, 46, 14, Editable},
            {IDC_SAVE_READING, ControlKind::CheckBox, "Save the manual reading", 10, 42, 104, 10},
            {IDC_READING_ALL, ControlKind::Button, "Reading all set sensors", 120, 38, 112, 17},
            {IDC_READING_SELECT, ControlKind::Button, "Reading select channel", 238, 38, 112, 17},
            {IDC_CLEAR, ControlKind::Button, "Clear", 440, 8, 60, 15},
            {IDC_CANCEL, ControlKind::Button, "Cancel", 440, 246, 60, 15},
            {IDC_LIST, ControlKind::ListView, "", 7, 66, 503, 170, Border},
        }};
    return tmpl;
}
