#include "platform/WindowTimers.h"

#include <QTimer>

WindowTimers::WindowTimers(QObject* owner, Handler handler)
    : m_owner(owner)
    , m_handler(std::move(handler))
{
}

void WindowTimers::SetTimer(int id, int milliseconds)
{
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(m_owner);
        QObject::connect(timer, &QTimer::timeout, m_owner, [this, id] { m_handler(id); });
    }
    timer->start(milliseconds < 0 ? 0 : milliseconds);
}

void WindowTimers::KillTimer(int id)
{
    const auto found = m_timers.find(id);
    if (found != m_timers.end())
        found->second->stop();
}

bool WindowTimers::IsRunning(int id) const
{
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

int WindowTimers::Interval(int id) const
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end() || !found->second->isActive())
        return -1;
    return found->second->interval();
}
