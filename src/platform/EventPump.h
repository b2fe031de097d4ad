#pragma once

#include <QElapsedTimer>

// Keeps the window alive during long work on the user-interface thread: Poll may be called
// for every item of the work, but pending events are dispatched only once per interval, so
// the work does not pay for an event round per item. An interval of 0 dispatches at every
// Poll. Handlers run inside Poll; the caller keeps its state where they cannot reach it.
class EventPump final
{
public:
    static constexpr int DefaultIntervalMs = 20;

    explicit EventPump(int intervalMs = DefaultIntervalMs);

    void Poll();

private:
    QElapsedTimer m_clock;
    qint64 m_intervalMs;
};
