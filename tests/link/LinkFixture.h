#pragma once

#include "record/LoggerTable.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"
#include "platform/DebugTrace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// g_port opened on a simulated logger line (a real pseudo-terminal) mapped to COM9, with
// one current configuration and the trace captured. Replies are awaited with the real
// slice (it returns as soon as bytes arrive); silence is awaited with ShortSlices(), and
// the slices counted.
class LinkFixture : public ::testing::Test
{
protected:
    static constexpr short ComPort = 9;
    static constexpr int WaitMs = 5000; // bound on waiting for the simulator's thread

    void SetUp() override;
    void TearDown() override;

    // Opens port on the simulator (SetPort, SetLoggerLine, Open).
    void OpenOn(CPort& port);
    // 1 ms slices: silence costs its slice count in milliseconds.
    static void ShortSlices() { CSerialCom::SetSliceMs(1); }
    // A silent line from now on, with short slices counted from here.
    void Silence()
    {
        ShortSlices();
        sim.SetSilent(true);
        MarkSlices();
    }
    long long Slices() const { return g_port.m_Serial.SliceCount() - m_slicesAtMark; }
    void MarkSlices() { m_slicesAtMark = g_port.m_Serial.SliceCount(); }
    // Bytes the simulator received since the last call, once it has taken in at least
    // commands more commands (a silent line gives no other sign that it has).
    std::string TakeReceived(size_t commands = 0);
    // Lets the simulator's output reach the line before a read that must find it queued.
    void WaitSent() { ASSERT_TRUE(sim.WaitUntilSent(WaitMs)); }
    LoggerRecord& Record() { return g_loggers[0]; }

    static std::vector<std::string> s_trace;
    loggersim::LoggerSim sim{{.ids = {1, 2, 3}, .records = 40, .seed = 7}};
    std::vector<int> positions; // where progress moved the bar
    ProgressPos progress = [this](int p) { positions.push_back(p); };

private:
    static void CollectTrace(const char* text) { s_trace.emplace_back(text); }

    size_t m_receivedTaken = 0;
    size_t m_commandsTaken = 0;
    long long m_slicesAtMark = 0;
};
