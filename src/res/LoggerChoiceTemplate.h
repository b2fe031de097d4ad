#pragma once

#include "platform/DialogTemplate.h"

#include <initializer_list>
#include <vector>

// The top of the small dialogs that act on one logger of the line: the frame "Select the
// Logger" with the label "Logger ID" and the ID list 1132, followed by the dialog's own
// controls.
inline std::vector<ControlTemplate> LoggerChoiceControls(std::initializer_list<ControlTemplate> own)
{
    std::vector<ControlTemplate> controls{
        {-1, ControlKind::GroupBox, "Select the Logger", 7, 7, 157, 34},
        {-1, ControlKind::Static, "Logger ID", 30, 22, 42, 8},
        {1132, ControlKind::ComboBox, "", 86, 20, 40, 12,
            ControlStyle::Editable | ControlStyle::Sorted},
    };
    controls.insert(controls.end(), own);
    return controls;
}
