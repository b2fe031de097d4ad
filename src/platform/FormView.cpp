#include "platform/FormView.h"

#include "platform/ScreenFit.h"

#include <QLayout>
#include <QMainWindow>

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

void CFormView::ResizeParentToFit()
{
    auto* frame = qobject_cast<QMainWindow*>(window());
    if (!frame || frame->centralWidget() != this)
        return;
    if (frame->layout())
        frame->layout()->activate();
    // The frame's menu, toolbar and status bar take their share of the screen first.
    const QSize extra = frame->size() - size();
    const QSize form = FitFixedLayout(this, TemplateSize(), ClientRoom(frame) - extra);
    setMinimumSize(form);
    frame->setFixedSize(extra + form);
}
