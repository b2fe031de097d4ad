#include "DownloadFixture.h"

#include "support/FileSizeLimit.h"

#include <QDir>

namespace {

using loggersim::SimFault;
using DataReadingDlgTest = DownloadFixture;

TEST_F(DataReadingDlgTest, SingleLoggerLandsInRawAndTableFiles)
{
    Record().m_bLoggerUsed[2] = 1; // ignored on a single line
    EXPECT_EQ(Receive(), "Logger ID(1) - Now Receiving... (100 %)");

    EXPECT_EQ(FileLines(Acc(1)), sim.Records(1));
    const auto table = FileLines(Csv(1));
    ASSERT_GE(table.size(), 2u);
    EXPECT_EQ(table[0].rfind("Measured Date,Time,1A,1B", 0), 0u);
    EXPECT_FALSE(Sent("@01,03,memory"));
    EXPECT_FALSE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), 40);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Data receiving complete!"}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);
}

TEST_F(DataReadingDlgTest, NetworkDownloadsEachUsedIdInOrder)
{
    sim.SetLoggers({2, 5});
    Record().m_bSingle = 0;
    Record().m_bLoggerUsed[1] = 1;
    Record().m_bLoggerUsed[4] = 1;
    Receive();
    EXPECT_LT(IndexOf("@01,02,data load"), IndexOf("@01,05,memory"));
    EXPECT_TRUE(Exists(Folder() + "Site1/Site1-02.csv"));
    EXPECT_TRUE(Exists(Folder() + "Site1/Site1-05.csv"));
    EXPECT_EQ(FileLines(Acc(5)), sim.Records(5));
    EXPECT_FALSE(Sent("@01,01,memory"));
}

TEST_F(DataReadingDlgTest, EmptyOrSilentLoggersArePassedOver)
{
    sim.SetRecordCount(1, 0);
    EXPECT_EQ(Receive(), "Logger ID(1) - Now Receiving... (100 %)");
    EXPECT_FALSE(Exists(Acc(1)));
    EXPECT_FALSE(Sent("@01,01,data load"));

    sim.SetSilent(true);
    EXPECT_EQ(Receive(), "Logger ID(1) - Now Receiving... (100 %)");
    EXPECT_FALSE(Exists(Acc(1)));
    // A logger that did not answer is named, not passed over as a success.
    EXPECT_EQ(boxes.Texts(),
        (std::vector<std::string>{"Data receiving complete!", "No response from logger ID 1."}));
    EXPECT_EQ(boxes.requests[1].icon, MessageIcon::Warning);
}

TEST_F(DataReadingDlgTest, OnlyFixedSchedulesGetTheClockSet)
{
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Receive();
    auto commands = sim.Commands();
    EXPECT_TRUE(std::none_of(commands.begin(), commands.end(), [](const std::string& c) {
        return c.rfind("@01,01,date ", 0) == 0 || c.rfind("@01,01,time ", 0) == 0;
    }));

    sim.ClearReceived();
    Record().m_units[0].m_schedule.m_nScheduleMode = ScheduleFixed;
    Receive();
    commands = sim.Commands();
    const auto isDate = [](const std::string& c) { return c.rfind("@01,01,date ", 0) == 0; };
    const auto isTime = [](const std::string& c) { return c.rfind("@01,01,time ", 0) == 0; };
    const auto date = std::find_if(commands.begin(), commands.end(), isDate);
    const auto time = std::find_if(commands.begin(), commands.end(), isTime);
    const auto load = std::find(commands.begin(), commands.end(), "@01,01,data load");
    ASSERT_NE(date, commands.end());
    ASSERT_NE(time, commands.end());
    EXPECT_LT(date, time);
    EXPECT_LT(time, load);
}

TEST_F(DataReadingDlgTest, ASecondDownloadDoublesTheRawFileButNotTheTable)
{
    Receive();
    const auto table = FileLines(Csv(1));
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 80u);
    EXPECT_EQ(FileLines(Csv(1)), table);
}

TEST_F(DataReadingDlgTest, EraseFollowsOnlyACompleteDownload)
{
    ShortSlices();
    Record().m_bEraseAfterReceive = 1;
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 40u);
    EXPECT_TRUE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), 0);
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
    // Every record that arrived is kept, in order; the last line may be the half that came
    // before the line went, which no reader takes for a record.
    ASSERT_GE(raw.size(), 10u);
    EXPECT_LT(raw.size(), 40u);
    EXPECT_TRUE(std::equal(raw.begin(), raw.end() - 1, records.begin()));
    EXPECT_EQ(records[raw.size() - 1].rfind(raw.back(), 0), 0u);
    EXPECT_GE(FileLines(Csv(1)).size(), 2u);
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.RecordCount(1), 40);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"The line went away during the download."}));
}

TEST_F(DataReadingDlgTest, ARawFileThatFillsTheDiskKeepsTheMemory)
{
    Record().m_bEraseAfterReceive = 1;
    {
        const FileSizeLimit limit(20 * 30); // room for about 20 records
        Receive();
    }
    const auto raw = FileLines(Acc(1));
    EXPECT_LT(raw.size(), 40u);
    EXPECT_FALSE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), 40);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    EXPECT_NE(boxes.requests[0].text.find("Cannot write the data file"), std::string::npos);
}

TEST_F(DataReadingDlgTest, ARawFileThatCannotBeOpenedIsReported)
{
    // A folder stands where the raw file should be.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Acc(1))));
    Receive();
    EXPECT_FALSE(Sent("@01,01,data load"));
    ASSERT_EQ(boxes.requests.size(), 1u);
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
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Make dir Failed"}));
}

} // namespace
