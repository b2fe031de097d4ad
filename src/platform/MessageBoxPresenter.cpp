#include "platform/MessageBoxPresenter.h"

#include "platform/Text.h"

#include <QMessageBox>
#include <QTimer>

namespace {

class QtMessageBoxPresenter final : public MessageBoxPresenter
{
public:
    void Show(const MessageBoxRequest& request) override
    {
        QMessageBox box(
            request.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
            ToQt(request.caption), ToQt(request.text), QMessageBox::Ok);
        QTimer::singleShot(request.timeoutMs, &box, [&box] { box.done(QMessageBox::Ok); });
        box.exec();
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
