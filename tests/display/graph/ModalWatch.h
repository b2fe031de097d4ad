#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <functional>

// Acts once on the first window of class T to show while it lives, from that window's own
// loop: the action is queued when the window shows, so it never depends on how often the
// code under test lets events run.
template <class T> class ModalWatch : public QObject
{
public:
    explicit ModalWatch(std::function<void(T*)> act)
        : m_act(std::move(act))
    {
        QApplication::instance()->installEventFilter(this);
    }
    bool Done() const { return m_done; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* window = qobject_cast<T*>(object);
        if (!m_queued && window && event->type() == QEvent::Show) {
            m_queued = true;
            QTimer::singleShot(0, this, [this, window] {
                m_done = true;
                m_act(window);
            });
        }
        return false;
    }

private:
    std::function<void(T*)> m_act;
    bool m_queued = false;
    bool m_done = false;
};
