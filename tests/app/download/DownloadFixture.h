#pragma once

#include "app/ScheduleFlag.h"
#include "app/dialogs/DataReadingDlg.h"
#include "data/DataFilePaths.h"
#include "platform/Format.h"

#include "support/sim/SimLineFixture.h"

#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using Lines = std::vector<std::string>;

inline const std::string Complete = "Data receiving complete!";
// Where the line went away, as the operator is told it.
inline std::string LineGoneAtCount(int id)
{
    return FormatString("The line went away while logger ID %d was asked for its record count; "
                        "nothing was read from it.",
        id);
}
inline std::string LineGoneInRecords(int id)
{
    return FormatString("The line went away while logger ID %d's records were being received; "
                        "its memory was kept.",
        id);
}
inline std::string LineGoneBeforeErase(int id)
{
    return FormatString("The line went away while logger ID %d was counted again before its "
                        "erase; its memory was kept.",
        id);
}
inline std::string LineGoneInErase(int id)
{
    return FormatString("The line went away during logger ID %d's erase; all its records are on "
                        "disk, and its memory may have been erased.",
        id);
}
inline const std::string OneMissing = "Logger ID 1: 1 record did not arrive; its memory was kept.";
inline const std::string MoreThanCounted
    = "Logger ID 1 sent more records than it counted; its memory was kept.";
inline std::string SentOf(int sent, int count)
{
    return FormatString("Logger ID 1 sent %d of %d records; its memory was kept.", sent, count);
}

// Acts on the download's window once ready() holds (looked at while the download waits).
inline void When(QWidget* dialog, std::function<bool()> ready, std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, dialog, [ready, act, dialog, poll] {
        if (ready()) {
            poll->stop();
            act(dialog);
        }
    });
    poll->start(1);
}

// The download run as the main screen runs it, on a simulated line with an open port.
class DownloadFixture : public SimLineFixture
{
protected:
    // Reply lines of a periodic logger: 0 the count, 1 the head of "data load", then the records.
    static constexpr int FirstRecordLine = 2;

    void SetUp() override
    {
        SimLineFixture::SetUp();
        ASSERT_TRUE(OpenPort());
        // Long enough for a reply on a busy machine and to see a line close within a reply's
        // second of silence.
        CSerialCom::SetSliceMs(10);
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
    // Logger 1 periodic (no clock set), its memory erased after a whole download.
    void PeriodicWithErase()
    {
        Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_bEraseAfterReceive = 1;
    }
    // Loggers 1 and 2 on the line and in the configuration, both periodic, with erase.
    void SetUpNetwork(loggersim::LoggerSim& line)
    {
        line.SetLoggers({1, 2});
        Record().m_bSingle = 0;
        Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[1] = 1;
        Record().m_units[1].m_schedule.m_nScheduleMode = SchedulePeriodic;
        PeriodicWithErase();
    }
    // Each case of a table starts with no files, commands or boxes of the case before.
    void Fresh(loggersim::LoggerSim& line)
    {
        ASSERT_TRUE(QDir(QString::fromStdString(Folder() + "Site1")).removeRecursively());
        if (&line == &sim)
            ClearReceived();
        else
            line.ClearReceived();
        boxes.requests.clear();
    }
    // Runs the dialog as the main screen does and returns its last status text.
    std::string Receive()
    {
        CDataReadingDlg dialog;
        dialog.DoModal();
        return dialog.m_strStatus;
    }
    Lines Told() { return boxes.Texts(); }
    // Whether logger 1 was erased, the records it still holds, and what the operator was told.
    std::tuple<bool, int, Lines> Outcome() { return {Erased(), sim.RecordCount(1), Told()}; }
    std::string Acc(int id) { return AccFilePath(Record(), id); }
    std::string Csv(int id) { return CsvFilePath(Record(), id); }
    size_t IndexOf(const std::string& command)
    {
        const auto commands = sim.Commands();
        return static_cast<size_t>(
            std::find(commands.begin(), commands.end(), command) - commands.begin());
    }
    bool Sent(const std::string& command) { return IndexOf(command) < sim.Commands().size(); }
    bool Erased(int id = 1) { return Sent(FormatString("@01,%02d,memory init", id)); }
};
