#include "res/DialogTemplates.h"

// The version comes from the build (the project's version in CMakeLists.txt).
#ifndef QUORBEL_VERSION
#error "QUORBEL_VERSION is set by the build"
#endif

const DialogTemplate& Dialog100()
{
    static const DialogTemplate tmpl{100, "About Quorbel", 170, 62, 9,
        DialogStyle::SysMenu | DialogStyle::Centered,
        {
            {128, ControlKind::Icon, "", 14, 14, 21, 20},
            {-1, ControlKind::Static, "Quorbel, Ver " QUORBEL_VERSION, 42, 14, 114, 8},
            {IDOK, ControlKind::Button, "OK", 113, 41, 50, 14, ControlStyle::Default},
        }};
    return tmpl;
}
