#include "platform/DialogBase.h"

#include "platform/DialogUnits.h"
#include "platform/MainWindow.h"
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
    : QDialog(parent ? parent : FindMainWindow(), FlagsFor(tmpl.style))
    , m_template(tmpl)
    , m_timers(this, [this](int id) { OnTimer(id); })
{
    setWindowTitle(ToQt(tmpl.caption ? tmpl.caption : ""));
}

DialogControls& CDialogBase::Controls()
{
    EnsureBuilt();
    return m_controls;
}

void CDialogBase::EnsureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    m_controls.Build(m_template, this, [this](const ControlTemplate& c, QWidget* parent) {
        return CreateCustomControl(c, parent);
    });
    const DialogUnits units = DialogUnits::ForFont(font());
    const QSize size(units.ToPixelsX(m_template.cx), units.ToPixelsY(m_template.cy));
    if (m_template.style & DialogStyle::Resizable)
        resize(size);
    else
        setFixedSize(size);

    // The standard buttons end the dialog, as in every dialog of the program.
    if (auto* ok = m_controls.ItemAs<QAbstractButton>(IDOK))
        connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    if (auto* cancel = m_controls.ItemAs<QAbstractButton>(IDCANCEL))
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
    EnsureBuilt();
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

void CDialogBase::OnTimer(int) { }

QWidget* CDialogBase::CreateCustomControl(const ControlTemplate&, QWidget*)
{
    return nullptr;
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
    QAbstractButton* target = focused ? focused : m_controls.DefaultButton();
    if (target && target->isEnabled() && target->isVisible())
        target->click();
    else
        OnOK();
}
