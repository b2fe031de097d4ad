#pragma once

#include "record/LoggerTable.h"
#include "link/Port.h"
#include "loggersim/LoggerSim.h"

#include "support/RecordingPresenter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    bool OpenPort();
    // 1 ms slices, so that silence costs milliseconds; slice counts stay as they are.
    static void ShortSlices() { CSerialCom::SetSliceMs(1); }
    LoggerRecord& Record() { return g_loggers[0]; }
    std::string Folder() const { return m_folder; }
    // The lines of a file (CR LF or LF ends), empty lines included; none when missing.
    static std::vector<std::string> FileLines(const std::string& path);
    static bool Exists(const std::string& path);

    loggersim::LoggerSim sim;
    RecordingPresenter boxes;

private:
    QTemporaryDir m_dir;
    std::string m_folder;
};
