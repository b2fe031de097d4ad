#include "platform/MessageBoxPresenter.h"

#include "platform/MainWindow.h"
#include "platform/Text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

class QtMessageBoxPresenter final : public MessageBoxPresenter
{
public:
    void Show(const MessageBoxRequest& request) override
    {
        // Owned by the window in front, so that the window manager places the box over the
        // program rather than in the middle of the screen. A parent that goes away while the
        // box is open takes the box with it.
        QPointer<QMessageBox> box = new QMessageBox(
            request.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
            ToQt(request.caption), ToQt(request.text), QMessageBox::Ok, MessageBoxOwner());
        QTimer::singleShot(request.timeoutMs, box, [box] { box->done(QMessageBox::Ok); });
        box->exec();
        delete box;
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
