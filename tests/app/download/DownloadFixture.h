#pragma once

#include "app/ScheduleFlag.h"
#include "app/dialogs/DataReadingDlg.h"
#include "data/DataFilePaths.h"
#include "platform/Format.h"

#include "support/sim/SimLineFixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The download run as the main screen runs it, on a simulated line with an open port.
class DownloadFixture : public SimLineFixture
{
protected:
    // Reply lines of a periodic logger's download: 0 the count, 1 the head of "data load",
    // then one per record.
    static constexpr int FirstRecordLine = 2;

    void SetUp() override
    {
        SimLineFixture::SetUp();
        ASSERT_TRUE(OpenPort());
        // Long enough to see a line close within a reply's second of silence; every download
        // ends with a silent reply time-out (70 slices), so tests of many downloads shorten
        // the slices further.
        CSerialCom::SetSliceMs(5);
    }
    void TearDown() override
    {
        g_bScheduleRunning = false;
        SimLineFixture::TearDown();
    }

    // Makes line the line of the configuration's port and opens the port on it.
    bool Attach(loggersim::LoggerSim& line)
    {
        if (!line.Start())
            return false;
        qputenv(
            FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(line.Path()));
        return OpenPort();
    }
    // Loggers 1 and 2 on the line and in the configuration, both periodic, with erase.
    void SetUpNetwork(loggersim::LoggerSim& line)
    {
        line.SetLoggers({1, 2});
        Record().m_bSingle = 0;
        Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[1] = 1;
        Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_units[1].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_bEraseAfterReceive = 1;
    }
    void ClearFolder()
    {
        ASSERT_TRUE(QDir(QString::fromStdString(Folder() + "Site1")).removeRecursively());
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
