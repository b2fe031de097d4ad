#pragma once

#include "link/SerialCom.h"
#include "loggersim/LoggerSim.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

// Short link slices only while no reply can be on its way: the simulator has received every
// byte the program's serial ports wrote, has nothing left to send, and queued no line since the
// last look (one it has just written may still be passing through the kernel). Silence then
// costs milliseconds, and a command or reply that a busy machine delays is still waited for
// with the program's own slices. It looks from the event loop, which every wait of the link
// runs.
class SlicePacer : private QObject
{
public:
    explicit SlicePacer(const loggersim::LoggerSim& sim)
        : m_sim(sim)
    {
        // A port is counted from its first notifier, made before anything is written on it.
        QCoreApplication::instance()->installEventFilter(this);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
        m_timer.start(1);
    }
    ~SlicePacer() override { CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs); }
    SlicePacer(const SlicePacer&) = delete;
    SlicePacer& operator=(const SlicePacer&) = delete;

    // Before the simulator's ClearReceived. A clear without it counts all that was written so
    // far as received.
    void Forget()
    {
        Count();
        m_seen.clear();
    }

private:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* port
            = event->type() == QEvent::ChildAdded ? qobject_cast<QSerialPort*>(watched) : nullptr;
        if (port && std::find(m_ports.begin(), m_ports.end(), port) == m_ports.end()) {
            m_ports.emplace_back(port);
            QObject::connect(port, &QSerialPort::bytesWritten, this,
                [this](qint64 bytes) { m_written += bytes; });
        }
        return false;
    }
    void Look()
    {
        Count();
        const long long queued = m_sim.LinesQueued();
        const bool idle = queued == m_queued && m_sim.WaitUntilSent(0);
        m_queued = queued;
        // A count that a clear behind its back left short heals once the simulator has stayed
        // idle for many of the program's slices.
        m_short = m_received < m_written && idle ? m_short + 1 : 0;
        if (m_short > 30)
            m_received = m_written;
        CSerialCom::SetSliceMs(idle && m_received >= m_written ? 1 : CSerialCom::DefaultSliceMs);
    }
    void Count()
    {
        const std::string received = m_sim.Received();
        if (received.compare(0, m_seen.size(), m_seen) == 0)
            m_received += static_cast<qint64>(received.size() - m_seen.size());
        else
            m_received = std::max(m_received, m_written);
        m_seen = received;
    }

    const loggersim::LoggerSim& m_sim;
    std::vector<QPointer<QSerialPort>> m_ports;
    qint64 m_written = 0;
    qint64 m_received = 0;
    std::string m_seen; // what the simulator had received at the last count
    long long m_queued = -1;
    int m_short = 0; // looks in a row with the count short and the simulator idle
    QTimer m_timer;
};
