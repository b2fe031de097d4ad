#include "platform/DialogBase.h"

#include "platform/DialogUnits.h"
#include "platform/MainWindow.h"
#include "platform/ScreenFit.h"
#include "platform/Text.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>

namespace {

Qt::WindowFlags FlagsFor(unsigned style)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (style & DialogStyle::NoCaption)
        flags |= Qt::FramelessWindowHint;
    else
        flags |= Qt::WindowTitleHint;
    if (style & DialogStyle::SysMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & DialogStyle::MinMax)
        flags |= Qt::WindowMinMaxButtonsHint;
    if (style & DialogStyle::Topmost)
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

} // namespace

CDialogBase::CDialogBase(const DialogTemplate& tmpl, QWidget* parent)
    : CTemplateWindow<QDialog>(tmpl, parent ? parent : FindMainWindow(), FlagsFor(tmpl.style))
{
    setWindowTitle(ToQt(tmpl.caption ? tmpl.caption : ""));
}

void CDialogBase::OnControlsBuilt()
{
    // A dialog larger than the screen (large fonts, a small panel) scrolls its controls
    // rather than leave some of them out of reach.
    const QSize size
        = FitFixedLayout(this, TemplateSize(), ClientRoom(parentWidget() ? parentWidget() : this));
    if (Template().style & DialogStyle::Resizable)
        resize(size);
    else
        setFixedSize(size);

    // The standard buttons end the dialog, as in every dialog of the program.
    if (auto* ok = ItemAs<QAbstractButton>(IDOK))
        connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    if (auto* cancel = ItemAs<QAbstractButton>(IDCANCEL))
        connect(cancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });
}

int CDialogBase::DoModal()
{
    Create();
    if (m_ended)
        return result();
    return exec();
}

void CDialogBase::Create()
{
    Controls();
    if (m_initialised)
        return;
    m_initialised = true;
    OnInitDialog();
}

void CDialogBase::EndDialog(int result)
{
    m_ended = true;
    done(result);
}

QRect CDialogBase::MapDialogRect(int x, int y, int cx, int cy) const
{
    return DialogUnits::ForFont(font()).Map(x, y, cx, cy);
}

bool CDialogBase::OnInitDialog()
{
    return true;
}

void CDialogBase::OnOK()
{
    EndDialog(IDOK);
}

void CDialogBase::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialogBase::accept()
{
    OnOK();
}

void CDialogBase::reject()
{
    OnCancel();
}

void CDialogBase::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Enter presses the focused push button, else the default button, else acts as OK.
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QAbstractButton* target = focused ? focused : Controls().DefaultButton();
    if (target && target->isEnabled() && target->isVisible())
        target->click();
    else
        OnOK();
}
