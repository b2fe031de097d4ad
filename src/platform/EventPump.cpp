#include "platform/EventPump.h"

#include <QCoreApplication>

EventPump::EventPump(int intervalMs)
    : m_intervalMs(intervalMs)
{
    m_clock.start();
}

void EventPump::Poll()
{
    if (m_clock.elapsed() < m_intervalMs)
        return;
    QCoreApplication::processEvents();
    m_clock.restart();
}
