#pragma once

#include <vector>

// A dialog or form as resource data: numbered controls with positions and sizes in dialog
// units of the template's font. Templates live in src/res; CTemplateBuilder turns them into
// widgets.

enum class ControlKind
{
    Static, // text label
    Frame, // black frame or separator line (no text)
    Icon, // picture label; the owner sets its pixmap
    Button, // push button
    CheckBox, // automatic check box
    RadioButton, // automatic radio button; ControlStyle::Group starts a new group
    GroupBox, // frame with a caption
    Edit, // single-line edit (ControlStyle::Multiline for several lines)
    ComboBox, // drop-down list; ControlStyle::Editable gives it an edit field
    ListBox,
    ListView, // report view with column headers
    Progress,
    Custom, // made by the window's CreateCustomControl
};

namespace ControlStyle {
enum : unsigned
{
    None = 0,
    Hidden = 1u << 0,
    Disabled = 1u << 1,
    Group = 1u << 2, // a radio button that starts its own group
    Default = 1u << 3, // the default push button
    Center = 1u << 4, // text centred horizontally
    Right = 1u << 5, // text right-aligned
    VCenter = 1u << 6, // text centred vertically
    ReadOnly = 1u << 7,
    Multiline = 1u << 8,
    Editable = 1u << 9, // combo box with an edit field
    Sorted = 1u << 10,
    Border = 1u << 11,
    Bold = 1u << 12,
    NoTabStop = 1u << 13,
    Number = 1u << 14, // edit takes digits only
    VScroll = 1u << 15,
};
}

namespace DialogStyle {
enum : unsigned
{
    None = 0,
    SysMenu = 1u << 0, // close box
    Resizable = 1u << 1, // sizing border
    MinMax = 1u << 2, // minimise and maximise boxes
    NoCaption = 1u << 3,
    Centered = 1u << 4,
    Topmost = 1u << 5,
};
}

struct ControlTemplate
{
    int id;
    ControlKind kind;
    const char* text;
    int x, y, cx, cy;
    unsigned style = ControlStyle::None;
};

struct DialogTemplate
{
    int id;
    const char* caption;
    int cx, cy;
    int pointSize;
    unsigned style;
    std::vector<ControlTemplate> controls;
};

// Dialog results and the two standard control numbers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
