#pragma once

#include <QObject>

#include <functional>
#include <map>

class QTimer;

// Window timers by number: SetTimer starts (or restarts) the periodic timer of an id, and
// every expiry calls the handler with that id until KillTimer.
class WindowTimers final
{
public:
    using Handler = std::function<void(int id)>;

    WindowTimers(QObject* owner, Handler handler);

    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool IsRunning(int id) const;
    // The period of a running timer in ms; -1 when it is not running.
    int Interval(int id) const;

private:
    QObject* m_owner;
    Handler m_handler;
    std::map<int, QTimer*> m_timers;
};
