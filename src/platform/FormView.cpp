#include "platform/FormView.h"

CFormView::CFormView(const DialogTemplate& tmpl, QWidget* parent)
    : CTemplateWindow<QWidget>(tmpl, parent, {})
{
}

void CFormView::OnControlsBuilt()
{
    setMinimumSize(TemplateSize());
}

void CFormView::InitialUpdate()
{
    Controls();
    if (m_initialised)
        return;
    m_initialised = true;
    OnInitialUpdate();
}

void CFormView::OnInitialUpdate() { }
