#include "platform/FormView.h"

#include "platform/DialogUnits.h"

CFormView::CFormView(const DialogTemplate& tmpl, QWidget* parent)
    : QWidget(parent)
    , m_template(tmpl)
    , m_timers(this, [this](int id) { OnTimer(id); })
{
}

DialogControls& CFormView::Controls()
{
    EnsureBuilt();
    return m_controls;
}

void CFormView::EnsureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    m_controls.Build(m_template, this, [this](const ControlTemplate& c, QWidget* parent) {
        return CreateCustomControl(c, parent);
    });
    setMinimumSize(FormSize());
}

QSize CFormView::FormSize()
{
    EnsureBuilt();
    const DialogUnits units = DialogUnits::ForFont(font());
    return QSize(units.ToPixelsX(m_template.cx), units.ToPixelsY(m_template.cy));
}

void CFormView::InitialUpdate()
{
    EnsureBuilt();
    if (m_initialised)
        return;
    m_initialised = true;
    OnInitialUpdate();
}

void CFormView::OnInitialUpdate() { }

void CFormView::OnTimer(int) { }

QWidget* CFormView::CreateCustomControl(const ControlTemplate&, QWidget*)
{
    return nullptr;
}
