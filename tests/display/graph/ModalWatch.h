#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>

// Acts once on the first modal window of class T to come up, passing over the others (wait
// popups come and go before it); it polls every 2 ms while it lives.
template <class T> class ModalWatch
{
public:
    explicit ModalWatch(std::function<void(T*)> act)
        : m_act(std::move(act))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Poll(); });
        m_timer.start(2);
    }
    bool Done() const { return m_done; }

private:
    void Poll()
    {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (m_done || !modal || !modal->isVisible())
            return;
        m_done = true;
        m_timer.stop();
        m_act(modal);
    }

    std::function<void(T*)> m_act;
    QTimer m_timer;
    bool m_done = false;
};
