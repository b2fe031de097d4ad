#include "res/DataViewIds.h"
#include "res/DialogTemplates.h"

namespace S = ControlStyle;
using namespace DataViewIds;

const DialogTemplate& Dialog140()
{
    static const DialogTemplate tmpl{140, "Data", 511, 330, 10,
        DialogStyle::SysMenu | DialogStyle::Resizable | DialogStyle::MinMax,
        {
            {-1, ControlKind::Static, "Select of logger ID", 14, 9, 63, 8},
            // 14 units high as the other lists: the 77 units that include the dropped list
            // would make a Qt combo box that tall.
            {IDC_LOGGER_ID, ControlKind::ComboBox, "", 80, 8, 40, 14, S::Editable | S::VScroll},
            {IDC_GRID_PLACE, ControlKind::GroupBox, "", 7, 23, 497, 300, S::Hidden},
        }};
    return tmpl;
}
