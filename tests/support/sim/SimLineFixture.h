#pragma once

#include "record/LoggerTable.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"

#include "support/RecordingPresenter.h"
#include "support/sim/SlicePacer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

// A simulated logger line mapped to COM9, a data folder in a temporary directory, one open
// configuration "Site1" on COM9 as the current record, and message boxes recorded. The port
// is left closed; OpenPort() opens g_port on the line as the connect dialog would.
class SimLineFixture : public ::testing::Test
{
protected:
    static constexpr short ComPort = 9;
    static constexpr int WaitMs = 5000; // bound on waiting for the simulator's thread

    explicit SimLineFixture(const loggersim::LoggerSim::Options& options = DefaultOptions());

    void SetUp() override;
    void TearDown() override;

    static loggersim::LoggerSim::Options DefaultOptions();

    // Another test program whose line went away may hold the lock of this pseudo-terminal's
    // number until its port sees that: the port opens once the lock is free.
    bool OpenPort();
    // Silence costs milliseconds from here while a reply on its way is still waited for with the
    // program's own slices; slice counts stay as they are.
    void ShortSlices() { m_pacer.emplace(sim); }
    // The simulator's log of received bytes and commands emptied.
    void ClearReceived()
    {
        if (m_pacer)
            m_pacer->Forget();
        sim.ClearReceived();
    }
    LoggerRecord& Record() { return g_loggers[0]; }
    std::string Folder() const { return m_folder; }
    // The lines of a file (CR LF or LF ends), empty lines included; none when missing.
    static std::vector<std::string> FileLines(const std::string& path);
    static bool Exists(const std::string& path);

    loggersim::LoggerSim sim;
    RecordingPresenter boxes;

private:
    std::optional<SlicePacer> m_pacer;
    QTemporaryDir m_dir;
    std::string m_folder;
};
