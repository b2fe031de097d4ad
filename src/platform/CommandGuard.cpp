#include "platform/CommandGuard.h"

#include "platform/DialogControls.h"

CommandGuard::CommandGuard(DialogControls& controls, std::initializer_list<int> ids, bool& busy)
    : m_busy(busy)
{
    m_busy = true;
    for (int id : ids) {
        QWidget* control = controls.Item(id);
        if (!control || !control->isEnabled())
            continue;
        // Taken before a focused control goes off and hands its focus on.
        if (m_disabled.empty())
            m_focus = control->window()->focusWidget();
        control->setEnabled(false);
        m_disabled.emplace_back(control);
    }
}

CommandGuard::~CommandGuard()
{
    for (const QPointer<QWidget>& control : m_disabled) {
        if (control)
            control->setEnabled(true);
    }
    if (m_focus && m_focus->isEnabled())
        m_focus->setFocus(Qt::OtherFocusReason);
    m_busy = false;
}
