#pragma once

#include <string>

enum class MessageIcon
{
    Warning,
    Information,
    Question
};

class QWidget;

// One message box: OK only, closing by itself after timeoutMs, over the window in front.
struct MessageBoxRequest
{
    std::string text;
    std::string caption;
    MessageIcon icon;
    int timeoutMs;
};

// Shows message boxes. The program uses a QMessageBox that its own timer closes; tests
// install one that records the requests instead.
class MessageBoxPresenter
{
public:
    virtual ~MessageBoxPresenter() = default;
    // Returns when the box has closed (OK or time-out).
    virtual void Show(const MessageBoxRequest& request) = 0;
    // The same box with Yes and No instead of OK; true for Yes. No is the default button and
    // the answer when the box closes by itself.
    virtual bool Ask(const MessageBoxRequest& request) = 0;
};

// Installs a presenter (nullptr: the program's own) and returns the one it replaces.
MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter);

// The window a message box belongs to: the active modal dialog, else the active window, else
// the main window; nullptr when the program shows none.
QWidget* MessageBoxOwner();

// Shows the request through the installed presenter.
void ShowMessageBox(const MessageBoxRequest& request);
// Asks the request's question through the installed presenter; true for Yes.
bool AskMessageBox(const MessageBoxRequest& request);
