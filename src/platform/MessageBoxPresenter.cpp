#include "platform/MessageBoxPresenter.h"

#include "platform/Text.h"

#include <QMessageBox>
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

// Runs the box until a button or its own timer closes it; the timer gives closeWith.
int RunBox(const MessageBoxRequest& request, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton closeWith)
{
    QMessageBox box(IconOf(request.icon), ToQt(request.caption), ToQt(request.text), buttons);
    box.setDefaultButton(closeWith);
    QTimer::singleShot(request.timeoutMs, &box, [&box, closeWith] { box.done(closeWith); });
    return box.exec();
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
