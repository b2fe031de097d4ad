#pragma once

#include "platform/DebugTrace.h"

#include "support/sim/SimLineFixture.h"

#include <string>
#include <vector>

// g_port opened on the simulated line of three loggers, with the trace captured and slices counted.
class LinkFixture : public SimLineFixture
{
protected:
    LinkFixture()
        : SimLineFixture({.ids = {1, 2, 3}, .records = 40, .seed = 7})
    {
    }
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ASSERT_TRUE(OpenPort());
        s_trace.clear();
        SetTraceSink([](const char* text) { s_trace.emplace_back(text); });
        MarkSlices();
    }
    void TearDown() override
    {
        SetTraceSink(nullptr);
        g_port.m_nSensorCount = 0;
        SimLineFixture::TearDown();
    }

    static void OpenOn(CPort& port)
    {
        port.m_Serial.SetPort(ComPort);
        port.m_Serial.SetLoggerLine();
        port.m_Serial.Open();
    }
    // A silent line from now on, with short slices counted from here.
    void Silence()
    {
        ShortSlices();
        sim.SetSilent(true);
        MarkSlices();
    }
    long long Slices() const { return g_port.m_Serial.SliceCount() - m_slicesAtMark; }
    void MarkSlices() { m_slicesAtMark = g_port.m_Serial.SliceCount(); }
    // Bytes the simulator received since the last call, once it has taken in commands more.
    std::string TakeReceived(size_t commands = 0)
    {
        EXPECT_TRUE(sim.WaitForCommands(m_commandsTaken + commands, WaitMs));
        m_commandsTaken = sim.Commands().size();
        const std::string all = sim.Received();
        const std::string fresh = all.substr(std::min(m_receivedTaken, all.size()));
        m_receivedTaken = all.size();
        return fresh;
    }
    // Lets the simulator's output reach the line before a read that must find it queued.
    void WaitSent() { ASSERT_TRUE(sim.WaitUntilSent(WaitMs)); }

    static inline std::vector<std::string> s_trace;
    std::vector<int> positions; // where progress moved the bar
    ProgressPos progress = [this](int p) { positions.push_back(p); };

private:
    size_t m_receivedTaken = 0;
    size_t m_commandsTaken = 0;
    long long m_slicesAtMark = 0;
};
