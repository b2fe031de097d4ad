#include "platform/MessageBoxPresenter.h"

#include "platform/MainWindow.h"
#include "platform/MessageBoxCaption.h"
#include "platform/Text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

QMessageBox::Icon IconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

// Runs the box until a button or its own timer closes it; the timer gives closeWith. The box
// is owned by the window in front, so that the window manager places it over the program
// rather than in the middle of the screen; a parent that goes away while the box is open
// takes the box with it.
int RunBox(const MessageBoxRequest& request, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton closeWith)
{
    QPointer<QMessageBox> box = new QMessageBox(IconOf(request.icon), ToQt(request.caption),
        ToQt(request.text), buttons, MessageBoxOwner());
    box->setDefaultButton(closeWith);
    FitCaption(box);
    QTimer::singleShot(request.timeoutMs, box, [box, closeWith] { box->done(closeWith); });
    const int result = box->exec();
    delete box;
    return result;
}

class QtMessageBoxPresenter final : public MessageBoxPresenter
{
public:
    void Show(const MessageBoxRequest& request) override
    {
        RunBox(request, QMessageBox::Ok, QMessageBox::Ok);
    }
    bool Ask(const MessageBoxRequest& request) override
    {
        return RunBox(request, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
};

QtMessageBoxPresenter g_qtPresenter;
MessageBoxPresenter* g_presenter = &g_qtPresenter;

} // namespace

QWidget* MessageBoxOwner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return FindMainWindow();
}

MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter)
{
    MessageBoxPresenter* previous = g_presenter;
    g_presenter = presenter ? presenter : &g_qtPresenter;
    return previous;
}

void ShowMessageBox(const MessageBoxRequest& request)
{
    g_presenter->Show(request);
}

bool AskMessageBox(const MessageBoxRequest& request)
{
    return g_presenter->Ask(request);
}
