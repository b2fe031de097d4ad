#pragma once

#include <QPointer>
#include <QWidget>

#include <initializer_list>
#include <vector>

class DialogControls;

// One command of a window at a time. The link's waits run events, so a second press inside a
// first command's wait would cut into its reply: for the guard's life the busy flag is set
// (the window's handlers and keys look at it) and the listed controls are off. Afterwards
// each control that was on is on again and the focus goes back where it was.
//
// Use: if (m_bBusy) return; { CommandGuard guard(Controls(), {1030, 1031}, m_bBusy); wait; }
class CommandGuard final
{
public:
    CommandGuard(DialogControls& controls, std::initializer_list<int> ids, bool& busy);
    ~CommandGuard();
    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

private:
    bool& m_busy;
    std::vector<QPointer<QWidget>> m_disabled;
    QPointer<QWidget> m_focus;
};
