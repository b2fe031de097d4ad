#include "DownloadFixture.h"

#include "support/FileSizeLimit.h"

#include <QFile>

namespace {

using loggersim::SimFault;
using DataReadingDlgTest = DownloadFixture;

TEST_F(DataReadingDlgTest, SingleLoggerLandsInRawAndTableFiles)
{
    Record().m_bLoggerUsed[2] = 1; // ignored on a single line
    // A raw file cut short gets its last line ended first.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Folder() + "Site1")));
    QFile cut(QString::fromStdString(Acc(1)));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write("01 00 2401") == 10);
    cut.close();
    EXPECT_EQ(Receive(), "Logger ID(1) - Now Receiving... (100 %)");
    Lines raw = sim.Records(1);
    raw.insert(raw.begin(), "01 00 2401");
    EXPECT_EQ(FileLines(Acc(1)), raw);
    const auto table = FileLines(Csv(1));
    ASSERT_GE(table.size(), 2u);
    EXPECT_EQ(table[0].rfind("Measured Date,Time,1A,1B", 0), 0u);
    EXPECT_FALSE(Sent("@01,03,memory"));
    EXPECT_FALSE(Erased());
    EXPECT_EQ(sim.RecordCount(1), 40);
    EXPECT_EQ(Told(), Lines{Complete});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);

    // A second download doubles the raw file but not the table.
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 81u);
    EXPECT_EQ(FileLines(Csv(1)), table);
}

TEST_F(DataReadingDlgTest, NetworkDownloadsEachUsedIdInOrder)
{
    sim.SetLoggers({2, 5});
    Record().m_bSingle = 0;
    Record().m_bLoggerUsed[1] = Record().m_bLoggerUsed[4] = 1;
    Receive();
    EXPECT_LT(IndexOf("@01,02,data load"), IndexOf("@01,05,memory"));
    EXPECT_TRUE(Exists(Folder() + "Site1/Site1-02.csv"));
    EXPECT_EQ(FileLines(Acc(5)), sim.Records(5));
    EXPECT_FALSE(Sent("@01,01,memory"));
}

TEST_F(DataReadingDlgTest, EmptyOrSilentLoggersArePassedOver)
{
    sim.SetRecordCount(1, 0);
    EXPECT_EQ(Receive(), "Logger ID(1) - Now Receiving... (100 %)");
    EXPECT_FALSE(Sent("@01,01,data load"));

    sim.SetSilent(true);
    EXPECT_EQ(Receive(), "Logger ID(1) - Now Receiving... (100 %)");
    EXPECT_FALSE(Exists(Acc(1)));
    // A logger that did not answer is named, not passed over as a success.
    EXPECT_EQ(Told(), (Lines{Complete, "No response from logger ID 1."}));
    EXPECT_EQ(boxes.requests[1].icon, MessageIcon::Warning);
}

TEST_F(DataReadingDlgTest, OnlyFixedSchedulesGetTheClockSet)
{
    for (const int mode : {SchedulePeriodic, ScheduleFixed}) {
        ClearReceived();
        Record().m_units[0].m_schedule.m_nScheduleMode = mode;
        Receive();
        Lines setting; // date and time commands, then the data load
        for (const std::string& c : sim.Commands()) {
            if (c.rfind("@01,01,date ", 0) == 0 || c.rfind("@01,01,time ", 0) == 0
                || c == "@01,01,data load")
                setting.push_back(c.substr(7, 4));
        }
        const Lines expected
            = mode == ScheduleFixed ? Lines{"date", "time", "data"} : Lines{"data"};
        EXPECT_EQ(setting, expected);
    }
}

TEST_F(DataReadingDlgTest, ALineThatGoesAwayKeepsWhatArrived)
{
    sim.SetPaced(true); // the line's own pace: the reader keeps up until the line goes
    Record().m_bEraseAfterReceive = 1;
    // Lines 0..3 answer memory, date, time and data load; line 21 is the 18th record.
    sim.InjectFault(SimFault::Vanish, 21);
    Receive();
    const auto raw = FileLines(Acc(1));
    const auto records = sim.Records(1);
    // Every record that arrived is kept, in order; the last line may be the half that came before
    // the line went, which no reader takes for a record.
    ASSERT_GE(raw.size(), 10u);
    EXPECT_LT(raw.size(), 40u);
    EXPECT_TRUE(std::equal(raw.begin(), raw.end() - 1, records.begin()));
    EXPECT_EQ(records[raw.size() - 1].rfind(raw.back(), 0), 0u);
    EXPECT_GE(FileLines(Csv(1)).size(), 2u);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.RecordCount(1), 40);
    EXPECT_EQ(Told(), Lines{LineGone});
}

TEST_F(DataReadingDlgTest, ARawFileThatFillsTheDiskKeepsTheMemory)
{
    Record().m_bEraseAfterReceive = 1;
    {
        const FileSizeLimit limit(20 * 30); // room for about 20 records
        Receive();
    }
    EXPECT_LT(FileLines(Acc(1)).size(), 40u);
    EXPECT_FALSE(Erased());
    EXPECT_EQ(sim.RecordCount(1), 40);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_NE(boxes.requests[0].text.find("Cannot write the data file"), std::string::npos);
}

TEST_F(DataReadingDlgTest, ScheduledReceivesShowNoBoxes)
{
    g_bScheduleRunning = true;
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 40u);
    // A folder that cannot be made is not reported either.
    SetFieldText(Record().m_szDataFolder, "/proc/none/");
    Receive();
    EXPECT_TRUE(boxes.requests.empty());

    g_bScheduleRunning = false;
    Receive();
    EXPECT_EQ(Told(), Lines{"Make dir Failed"});
}

} // namespace
