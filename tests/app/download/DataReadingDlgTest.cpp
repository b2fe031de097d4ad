#include "DownloadFixture.h"

#include "support/FileSizeLimit.h"

#include <QFile>

namespace {

using loggersim::SimFault;

const std::string Done = "Logger ID(1) - Now Receiving... (100 %)";

using DataReadingDlgTest = DownloadFixture;

// Only a fixed schedule gets the clock set; a raw file cut short gets its last line ended first; a
// second download doubles the raw file but not the table.
TEST_F(DataReadingDlgTest, SingleLoggerLandsInRawAndTableFiles)
{
    Record().m_bLoggerUsed[2] = 1; // ignored on a single line
    const auto words = [this] { // of the commands sent
        Lines heads;
        for (const std::string& command : sim.Commands())
            heads.push_back(command.substr(7, 4));
        return heads;
    };
    Record().m_units[0].m_schedule.m_nScheduleMode = ScheduleFixed;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Folder() + "Site1")));
    QFile cut(QString::fromStdString(Acc(1)));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write("01 00 2401") == 10);
    cut.close();
    EXPECT_EQ(Receive(), Done);
    Lines raw = sim.Records(1);
    raw.insert(raw.begin(), "01 00 2401");
    EXPECT_EQ(FileLines(Acc(1)), raw);
    const auto table = FileLines(Csv(1));
    ASSERT_GE(table.size(), 2u);
    EXPECT_EQ(table[0].rfind("Measured Date,Time,1A,1B", 0), 0u);
    EXPECT_EQ(words(), (Lines{"memo", "date", "time", "data"}));
    EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{Complete}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Information);

    ClearReceived();
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 81u);
    EXPECT_EQ(FileLines(Csv(1)), table);
    EXPECT_EQ(words(), (Lines{"memo", "data"}));
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

// A logger that did not answer is named, not passed over as a success.
TEST_F(DataReadingDlgTest, EmptyOrSilentLoggersArePassedOver)
{
    sim.SetRecordCount(1, 0);
    EXPECT_EQ(Receive(), Done);
    EXPECT_FALSE(Sent("@01,01,data load"));
    sim.SetSilent(true);
    EXPECT_EQ(Receive(), Done);
    EXPECT_FALSE(Exists(Acc(1)));
    EXPECT_EQ(Told(), (Lines{Complete, "No response from logger ID 1."}));
    EXPECT_EQ(boxes.requests[1].icon, MessageIcon::Warning);
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
    EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{LineGoneInRecords(1)}));
}

// A full disk under the raw file keeps the memory; one under the table does not, as the records
// are safe, but the operator learns that the table is missing.
TEST_F(DataReadingDlgTest, AFileThatCannotBeWrittenIsSaid)
{
    ShortSlices();
    Record().m_bEraseAfterReceive = 1;
    {
        const FileSizeLimit limit(20 * 30); // room for about 20 records
        Receive();
    }
    EXPECT_LT(FileLines(Acc(1)).size(), 40u);
    EXPECT_EQ(Outcome(),
        std::tuple(false, 40,
            Lines{FormatString(
                "Cannot write the data file %s; the logger's memory was kept.", Acc(1).c_str())}));
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);

    Fresh(sim);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Csv(1))));
    const Lines records = sim.Records(1);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), records);
    EXPECT_EQ(Outcome(),
        std::tuple(true, 0,
            Lines{FormatString("The table file %s could not be written.", Csv(1).c_str())}));
}

// A folder that cannot be made is not reported either.
TEST_F(DataReadingDlgTest, ScheduledReceivesShowNoBoxes)
{
    g_bScheduleRunning = true;
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 40u);
    SetFieldText(Record().m_szDataFolder, "/proc/none/");
    Receive();
    EXPECT_TRUE(boxes.requests.empty());
    g_bScheduleRunning = false;
    Receive();
    EXPECT_EQ(Told(), Lines{"Make dir Failed"});
}

} // namespace
