#pragma once

#include "link/Port.h"
#include "loggersim/LoggerSim.h"

#include <QPointer>
#include <QSerialPort>
#include <QTimer>

#include <functional>
#include <vector>

// Short link slices only while no reply can be on its way: the simulator has received every
// byte the watched ports wrote, has nothing left to send, and queued no line since the last
// look (one it has just written may still be passing through the kernel). Silence then costs
// milliseconds, and a command or reply that a busy machine delays is still waited for with the
// program's own slices. It looks from the event loop, which every wait of the link runs.
class SlicePacer
{
public:
    explicit SlicePacer(const loggersim::LoggerSim& sim)
        : m_sim(sim)
    {
        Watch([] { return &g_port.m_Serial; });
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
        m_timer.start(1);
    }
    ~SlicePacer() { CSerialCom::SetSliceMs(CSerialCom::DefaultSliceMs); }
    SlicePacer(const SlicePacer&) = delete;
    SlicePacer& operator=(const SlicePacer&) = delete;

    // A port on the line, found anew at each look: it may be reopened or go.
    void Watch(std::function<const CSerialCom*()> port)
    {
        m_ports.push_back({std::move(port), nullptr});
        Look();
    }
    // Before the simulator's ClearReceived.
    void Forget() { m_forgotten += static_cast<qint64>(m_sim.Received().size()); }
    // Also right after a port opens, so that its first command is counted.
    void Look()
    {
        for (auto& [port, device] : m_ports) {
            const CSerialCom* serial = port();
            const QSerialPort* now = serial ? serial->Device() : nullptr;
            if (now && now != device) {
                QObject::connect(now, &QSerialPort::bytesWritten, &m_timer,
                    [this](qint64 bytes) { m_written += bytes; });
                device = now;
            }
        }
        const long long queued = m_sim.LinesQueued();
        const bool quiet = queued == m_queued
            && m_forgotten + static_cast<qint64>(m_sim.Received().size()) >= m_written
            && m_sim.WaitUntilSent(0);
        m_queued = queued;
        CSerialCom::SetSliceMs(quiet ? 1 : CSerialCom::DefaultSliceMs);
    }

private:
    struct Watched
    {
        std::function<const CSerialCom*()> port;
        QPointer<const QSerialPort> device;
    };

    const loggersim::LoggerSim& m_sim;
    std::vector<Watched> m_ports;
    qint64 m_written = 0;
    qint64 m_forgotten = 0;
    long long m_queued = -1;
    QTimer m_timer;
};
