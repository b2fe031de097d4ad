#include "res/DialogTemplates.h"
#include "res/GraphIds.h"

#include <vector>

namespace {

using namespace GraphSetIds;

constexpr int FirstRowY = 66;
constexpr int RowStep = 15;

const char* const RowLabels[16]
    = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"};

std::vector<ControlTemplate> Controls()
{
    std::vector<ControlTemplate> controls{
        {-1, ControlKind::GroupBox, "Select of Logger ID", 7, 3, 189, 36},
        // One line, as the platform's wider font would wrap it, and wide enough for it.
        {-1, ControlKind::Static, "Logger ID", 43, 21, 50, 10, ControlStyle::VCenter},
        // 12 units high: the 71 that include the dropped list would make a Qt combo that tall.
        {IDC_LOGGER, ControlKind::ComboBox, "", 105, 19, 43, 12,
            ControlStyle::Editable | ControlStyle::VScroll},
        {-1, ControlKind::Static, "No. of data", 27, 49, 50, 8},
        {-1, ControlKind::Static, "Color", 138, 48, 29, 10},
        {-1, ControlKind::GroupBox, "", 7, 41, 189, 263},
        {-1, ControlKind::GroupBox, "", 102, 41, 94, 263},
    };
    for (const int y : {57, 88, 118, 148, 178, 208, 238, 268})
        controls.push_back({-1, ControlKind::GroupBox, "", 7, y, 189, 31});
    for (int ch = 0; ch < 16; ++ch) {
        const int y = FirstRowY + RowStep * ch;
        const int numberX = ch >= 9 ? 16 : 18;
        controls.push_back({-1, ControlKind::Static, RowLabels[ch], numberX, y, 12, 10});
        controls.push_back({SeriesChecks[ch].a, ControlKind::CheckBox, "A", 36, y, 24, 10});
        controls.push_back({SeriesChecks[ch].b, ControlKind::CheckBox, "B", 70, y, 24, 10});
    }
    controls.push_back({IDC_SET, ControlKind::Button, "Set", 105, 311, 44, 15});
    controls.push_back({IDC_CANCEL, ControlKind::Button, "Cancel", 152, 311, 44, 15});
    return controls;
}

} // namespace

const DialogTemplate& Dialog146()
{
    static const DialogTemplate tmpl{
        146, "Graph Setting", 203, 333, 9, DialogStyle::SysMenu, Controls()};
    return tmpl;
}
