#include "res/DialogTemplates.h"

const DialogTemplate& Dialog319()
{
    // Caption without a system menu: there is no close box.
    static const DialogTemplate tmpl{319, "Connect", 161, 79, 8, DialogStyle::None,
        {
            {-1, ControlKind::Static, "Now Connecting...", 18, 18, 83, 10},
            {1003, ControlKind::Progress, "", 7, 37, 148, 13},
            {1004, ControlKind::Button, "Cancel", 37, 55, 87, 17, ControlStyle::Hidden},
        }};
    return tmpl;
}
