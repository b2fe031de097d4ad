#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

// Repaints of a live view, at most one per interval: Invalidate only marks the widget dirty,
// and a timer repaints it (once, however many marks came) when the interval has run out.
// A window's own paints (shown, resized, uncovered) are not held back.
class RepaintThrottle final : public QObject
{
public:
    static constexpr int DefaultIntervalMs = 40; // 25 paints a second

    explicit RepaintThrottle(QWidget* widget, int intervalMs = DefaultIntervalMs);

    void Invalidate();
    // Repaints now when dirty; tests and a closing window use it instead of the timer.
    void Flush();

private:
    QWidget* m_widget;
    QTimer m_timer;
    bool m_dirty = false;
};
