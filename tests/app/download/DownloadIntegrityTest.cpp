// A logger's memory is erased only when every record it holds is in its raw file on disk, and
// every way a download fails is said.

#include "DownloadFixture.h"

#include "data/DataRecord.h"
#include "platform/Format.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <set>

namespace {

using loggersim::SimFault;
using DownloadIntegrityTest = DownloadFixture;

// Reply lines of a periodic logger's download: 0 the count, 1 the head of "data load", then
// one per record.
constexpr int FirstRecordLine = 2;

const std::string KeptNote = "Logger ID 1: 1 record did not arrive; its memory was kept.";

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The records of the logger that reached the raw file, each checked to be a record of the
// logger (no damaged line taken for one).
std::set<std::string> ArrivedRecords(
    const std::vector<std::string>& raw, const std::vector<std::string>& records)
{
    std::set<std::string> arrived;
    for (const std::string& line : raw) {
        if (IsRecordLine(line) && Contains(records, line))
            arrived.insert(line);
    }
    return arrived;
}

// A damaged record, at the first, a middle and the last record, never counts as arrived: the
// memory is kept, the other records are on disk, the operator is told. A whole record whose
// line end never came has arrived; the records after it have not.
TEST_F(DownloadIntegrityTest, ADamagedRecordKeepsTheMemory)
{
    ShortSlices();
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;
    constexpr int Count = 12; // each record that cannot come costs two silent reads
    sim.SetRecordCount(1, Count);
    const std::vector<std::string> records = sim.Records(1);
    struct Case
    {
        SimFault fault;
        bool itselfComes; // the hit record still arrives whole
        bool restCome; // the records after it still come
    };
    const Case cases[] = {{SimFault::Garbage, false, true}, {SimFault::LongLine, false, true},
        {SimFault::HugeLine, false, true}, {SimFault::NulByte, false, true},
        {SimFault::DropReply, false, true}, {SimFault::CutLine, false, false},
        {SimFault::NoLineEnd, true, false}};
    for (const Case& c : cases) {
        for (const int hit : {0, Count / 2, Count - 1}) {
            SCOPED_TRACE(FormatString("fault %d at record %d", static_cast<int>(c.fault), hit));
            ASSERT_TRUE(QDir(QString::fromStdString(Folder() + "Site1")).removeRecursively());
            sim.SetRecordCount(1, Count);
            sim.ClearReceived();
            boxes.requests.clear();
            sim.InjectFault(c.fault, FirstRecordLine + hit);
            Receive();

            const auto arrived = ArrivedRecords(FileLines(Acc(1)), records);
            bool allArrived = true;
            for (int i = 0; i < Count; ++i) {
                const bool expected
                    = i < hit || (i == hit && c.itselfComes) || (i > hit && c.restCome);
                allArrived = allArrived && expected;
                EXPECT_EQ(arrived.count(records[static_cast<size_t>(i)]), expected ? 1u : 0u)
                    << "record " << i;
            }
            EXPECT_TRUE(Exists(Csv(1)));
            if (allArrived) {
                EXPECT_TRUE(Sent("@01,01,memory init"));
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Data receiving complete!"});
                continue;
            }
            EXPECT_FALSE(Sent("@01,01,memory init"));
            EXPECT_EQ(sim.RecordCount(1), Count);
            ASSERT_EQ(boxes.requests.size(), 1u);
            EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
            EXPECT_NE(boxes.requests[0].text.find("did not arrive; its memory was kept."),
                std::string::npos)
                << boxes.requests[0].text;
        }
    }
}

// Junk is kept in the raw file as it came; the table passes over it.
TEST_F(DownloadIntegrityTest, ADamagedRecordStaysInTheRawFileAsItCame)
{
    ShortSlices();
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    sim.InjectFault(SimFault::Garbage, FirstRecordLine + 8);
    Receive();
    const auto raw = FileLines(Acc(1));
    const auto records = sim.Records(1);
    // The junk, then the read again brings the 10th record; at the end one read finds nothing.
    ASSERT_EQ(raw.size(), 41u);
    EXPECT_EQ(raw[7], records[7]);
    EXPECT_FALSE(Contains(records, raw[8]));
    EXPECT_EQ(raw[8].size(), DataRecordLength);
    EXPECT_EQ(raw[9], records[9]);
    EXPECT_EQ(raw[40], "");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{KeptNote});
}

TEST_F(DownloadIntegrityTest, ACountTheLoggerCannotBeTrustedKeepsTheMemory)
{
    ShortSlices();
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;

    // Under-reported (a digit lost): 5 are read, the count asked again says 40.
    sim.OverrideNextReply("@01,01,memory 5\r\n");
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), 5u);
    EXPECT_FALSE(Sent("@01,01,memory init"));
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{"Logger ID 1: 35 records did not arrive; its memory was kept."});

    // Another logger's head, a damaged word, a damaged count: no answer.
    for (const char* reply :
        {"@01,02,memory 40\r\n", "@01,01,memorx 40\r\n", "@01,01,memory 4x\r\n"}) {
        SCOPED_TRACE(reply);
        sim.ClearReceived();
        boxes.requests.clear();
        sim.OverrideNextReply(reply);
        Receive();
        EXPECT_FALSE(Sent("@01,01,memory init"));
        EXPECT_EQ(sim.RecordCount(1), 40);
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"No response from logger ID 1."});
}

TEST_F(DownloadIntegrityTest, MoreRecordsThanOneDownloadReadsKeepTheMemory)
{
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;
    sim.SetRecordCount(1, LoggerMemoryCapacity + 4);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)).size(), static_cast<size_t>(LoggerMemoryCapacity));
    EXPECT_FALSE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), LoggerMemoryCapacity + 4);
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{
            "Logger ID 1 holds more records than one download reads; its memory was kept."});
}

TEST_F(DownloadIntegrityTest, ReadingsStoredDuringTheDownloadKeepTheMemory)
{
    ShortSlices();
    sim.SetPaced(true);
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;
    // The logger measures four readings while its memory is being read.
    const auto records = sim.Records(1);
    QTimer::singleShot(150, [this] { sim.SetRecordCount(1, 44); });
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), records);
    EXPECT_FALSE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), 44);
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{"Logger ID 1: 4 records did not arrive; its memory was kept."});

    // The next download reads them all; the table counts each record once.
    boxes.requests.clear();
    Receive();
    EXPECT_TRUE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Data receiving complete!"});
}

TEST_F(DownloadIntegrityTest, ARawFileCutShortGetsItsLastLineEnded)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Folder() + "Site1")));
    QFile cut(QString::fromStdString(Acc(1)));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write("01 00 2401") == 10);
    cut.close();
    Receive();
    const auto raw = FileLines(Acc(1));
    const auto records = sim.Records(1);
    ASSERT_EQ(raw.size(), 41u);
    EXPECT_EQ(raw[0], "01 00 2401");
    EXPECT_EQ(std::vector<std::string>(raw.begin() + 1, raw.end()), records);
}

// Wherever the line goes away, the download stops there and says so, never "complete".
TEST_F(DownloadIntegrityTest, TheLineGoingAwayBetweenStepsIsSaid)
{
    struct Case
    {
        const char* where;
        int line;
    };
    // Two periodic loggers of 40 records with erase: logger 1's count (0), data load head (1),
    // records (2..41), its count again (42), memory init (43); logger 2's count (44).
    const Case cases[] = {{"logger 1's count", 0}, {"logger 1's count again", 42},
        {"logger 1's erase", 43}, {"logger 2's count", 44}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(line.Start());
        line.SetLoggers({1, 2});
        qputenv(
            FormatString("QUORBEL_COM%d", ComPort).c_str(), QByteArray::fromStdString(line.Path()));
        ASSERT_TRUE(OpenPort());
        // Slices long enough for the close to be seen within the second of silence that ends
        // a half reply, as it is at the line's own slices.
        CSerialCom::SetSliceMs(10);
        Record().m_bSingle = 0;
        Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[1] = 1;
        Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_units[1].m_schedule.m_nScheduleMode = SchedulePeriodic;
        Record().m_bEraseAfterReceive = 1;
        boxes.requests.clear();
        line.InjectFault(SimFault::Vanish, c.line);
        Receive();
        EXPECT_EQ(
            boxes.Texts(), std::vector<std::string>{"The line went away during the download."});
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_EQ(line.RecordCount(2), 40); // never reached
        line.Stop();
    }
}

TEST_F(DownloadIntegrityTest, AFolderOrNameOutsideItsPlaceIsRefusedBeforeAnything)
{
    const QString before = QDir::currentPath();
    QTemporaryDir cwd;
    ASSERT_TRUE(QDir::setCurrent(cwd.path()));
    SetFieldText(Record().m_szDataFolder, "C:\\Data\\");
    Receive();
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(QDir(cwd.path()).isEmpty());
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{"The data folder C:\\Data\\ is not a full path; choose another "
                                 "one in the configuration."});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);

    SetFieldText(Record().m_szDataFolder, Folder() + "inner/");
    for (const char* name : {"../Escaped", "a/b", "..", ""}) {
        SCOPED_TRACE(name);
        boxes.requests.clear();
        SetFieldText(Record().m_szName, name);
        Receive();
        EXPECT_TRUE(sim.Commands().empty());
        ASSERT_EQ(boxes.requests.size(), 1u);
        EXPECT_NE(boxes.requests[0].text.find("cannot be used in a file name"), std::string::npos);
    }
    EXPECT_EQ(
        QDir(QString::fromStdString(Folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList{});
    EXPECT_TRUE(QDir(cwd.path()).isEmpty());

    // While the schedule runs the refusal is traced, not shown.
    g_bScheduleRunning = true;
    boxes.requests.clear();
    Receive();
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(sim.Commands().empty());
    ASSERT_TRUE(QDir::setCurrent(before));
}

// The records are safe in the raw file, so the erase still follows; the operator learns that
// the table is missing.
TEST_F(DownloadIntegrityTest, ATableThatCannotBeWrittenIsSaid)
{
    ShortSlices();
    Record().m_bEraseAfterReceive = 1;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Csv(1))));
    const std::vector<std::string> records = sim.Records(1);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), records);
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{
            FormatString("The table file %s could not be written.", Csv(1).c_str())});
    EXPECT_TRUE(Sent("@01,01,memory init"));
}

} // namespace
