#pragma once

#include "app/ScheduleFlag.h"
#include "app/dialogs/DataReadingDlg.h"
#include "data/DataFilePaths.h"

#include "support/sim/SimLineFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The download run as the main screen runs it, on a simulated line with an open port.
class DownloadFixture : public SimLineFixture
{
protected:
    void SetUp() override
    {
        SimLineFixture::SetUp();
        ASSERT_TRUE(OpenPort());
    }
    void TearDown() override
    {
        g_bScheduleRunning = false;
        SimLineFixture::TearDown();
    }

    // Runs the dialog as the main screen does and returns its last status text.
    std::string Receive()
    {
        CDataReadingDlg dialog;
        dialog.DoModal();
        return dialog.m_strStatus;
    }
    std::string Acc(int id) { return AccFilePath(Record(), id); }
    std::string Csv(int id) { return CsvFilePath(Record(), id); }
    bool Sent(const std::string& command)
    {
        const auto commands = sim.Commands();
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }
    size_t IndexOf(const std::string& command)
    {
        const auto commands = sim.Commands();
        return static_cast<size_t>(
            std::find(commands.begin(), commands.end(), command) - commands.begin());
    }
};
