#include "platform/RepaintThrottle.h"

#include <QWidget>

RepaintThrottle::RepaintThrottle(QWidget* widget, int intervalMs)
    : QObject(widget)
    , m_widget(widget)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &RepaintThrottle::Flush);
}

void RepaintThrottle::Invalidate()
{
    m_dirty = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void RepaintThrottle::Flush()
{
    m_timer.stop();
    if (!m_dirty)
        return;
    m_dirty = false;
    m_widget->update();
}
