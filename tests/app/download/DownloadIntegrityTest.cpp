// A logger's memory is erased only when every record it holds is in its raw file on disk, and
// every way a download fails is said.

#include "DownloadFixture.h"

#include "app/ConfigurationSave.h"
#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataRecord.h"
#include "record/LoggerFile.h"
#include "platform/Format.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <set>

namespace {

using loggersim::SimFault;
using DownloadIntegrityTest = DownloadFixture;

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

// A damaged, flooded, repeated or missing record, at the first, a middle and the last record,
// never counts as arrived nor takes the place of another: the memory is erased only when every
// record is on disk, and the operator is told what happened. A whole record whose line end
// never came has arrived; a stream that stops is given up two silent records later.
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
        {SimFault::DropReply, false, true}, {SimFault::Flood, false, true},
        {SimFault::Repeat, true, true}, {SimFault::CutLine, false, false},
        {SimFault::NoLineEnd, true, false}, {SimFault::EndReply, false, false}};
    for (const Case& c : cases) {
        for (const int hit : {0, Count / 2, Count - 1}) {
            SCOPED_TRACE(FormatString("fault %d at record %d", static_cast<int>(c.fault), hit));
            ClearFolder();
            sim.SetRecordCount(1, Count);
            sim.ClearReceived();
            boxes.requests.clear();
            sim.InjectFault(c.fault, FirstRecordLine + hit);
            Receive();

            const auto arrived = ArrivedRecords(FileLines(Acc(1)), records);
            int arrivedCount = 0;
            for (int i = 0; i < Count; ++i) {
                const bool expected
                    = i < hit || (i == hit && c.itselfComes) || (i > hit && c.restCome);
                arrivedCount += expected;
                EXPECT_EQ(arrived.count(records[static_cast<size_t>(i)]), expected ? 1u : 0u)
                    << "record " << i;
            }
            EXPECT_TRUE(Exists(Csv(1)));
            if (arrivedCount == Count) {
                EXPECT_TRUE(Sent("@01,01,memory init"));
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Data receiving complete!"});
                continue;
            }
            EXPECT_FALSE(Sent("@01,01,memory init"));
            EXPECT_EQ(sim.RecordCount(1), Count);
            // Nothing comes from the hit record on (or from the next one): two such records
            // in a row show the stream has stopped.
            const int silentFrom = hit + (c.fault == SimFault::EndReply ? 0 : 1);
            const bool stopped = !c.restCome && silentFrom + 2 <= Count;
            EXPECT_EQ(boxes.Texts(),
                std::vector<std::string>{stopped
                        ? FormatString("Logger ID 1 sent %d of %d records; its memory was kept.",
                            arrivedCount, Count)
                        : KeptNote});
            EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
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
    const std::vector<std::string> records = sim.Records(1);

    // Under-reported in both counts: the stream going on from the first, a middle or the last
    // record contradicts the count; every record it brings is kept.
    for (const int count : {1, 20, 39}) {
        SCOPED_TRACE(count);
        ClearFolder();
        sim.ClearReceived();
        boxes.requests.clear();
        sim.SetCountShown(1, count);
        Receive();
        EXPECT_EQ(FileLines(Acc(1)), records);
        EXPECT_FALSE(Sent("@01,01,memory init"));
        EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{
                "Logger ID 1 sent more records than it counted; its memory was kept."});
    }
    sim.SetCountShown(1, -1);

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

// A count the logger does not hold is read only until its stream has stopped: two records in a
// row of which nothing came end that logger well within a minute of its last record at the
// line's own time-outs (600 slices), its memory kept; the next logger is read as usual. So do
// ten in a row that brought no record.
TEST_F(DownloadIntegrityTest, AStreamThatStopsEndsItsLoggerWithinAMinute)
{
    ShortSlices();
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;
    sim.SetRecordCount(1, 5);
    sim.SetCountShown(1, LoggerMemoryCapacity);
    std::vector<std::string> expected = sim.Records(1);
    expected.push_back(""); // the first record of which nothing came
    const std::string note = "Logger ID 1 sent 5 of 35000 records; its memory was kept.";

    const long long before = g_port.m_Serial.SliceCount();
    Receive();
    EXPECT_LT(g_port.m_Serial.SliceCount() - before, 600);
    EXPECT_EQ(FileLines(Acc(1)), expected);
    EXPECT_EQ(sim.RecordCount(1), 5);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{note});

    ClearFolder();
    boxes.requests.clear();
    SetUpNetwork(sim);
    const std::vector<std::string> second = sim.Records(2);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), expected);
    EXPECT_EQ(FileLines(Acc(2)), second);
    EXPECT_EQ(sim.RecordCount(2), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{note});

    // Junk in place of ten records in a row ends the logger the same way.
    boxes.requests.clear();
    sim.SetRecordCount(1, 40);
    sim.SetRecordCount(2, 40);
    sim.SetCountShown(1, -1);
    for (int line = 0; line < 20; ++line) // two reads for each record
        sim.InjectFault(SimFault::Garbage, FirstRecordLine + 5 + line);
    Receive();
    EXPECT_EQ(sim.RecordCount(1), 40);
    EXPECT_EQ(sim.RecordCount(2), 0);
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{"Logger ID 1 sent 5 of 40 records; its memory was kept."});
}

// What a logger sends stays with it: the lines after its counted records, a flood among them
// that goes on whatever is sent meanwhile, go into its own raw file, never into the next
// logger's answer; a record sent twice counts once, and one that came in place of the lost
// head of the transfer counts too.
TEST_F(DownloadIntegrityTest, WhatALoggerSendsStaysWithThatLogger)
{
    ShortSlices();
    const std::string Complete = "Data receiving complete!";
    SetUpNetwork(sim);
    constexpr int Count = 12;
    struct Case
    {
        SimFault fault;
        int hit;
        int countShown; // -1: what it holds
        std::string told;
    };
    const Case cases[] = {{SimFault::Flood, 0, -1, KeptNote}, {SimFault::Flood, 6, -1, KeptNote},
        {SimFault::Flood, 11, -1, KeptNote},
        {SimFault::Flood, 11, 6,
            "Logger ID 1 sent more records than it counted; its memory was kept."},
        {SimFault::Repeat, 6, -1, Complete}, {SimFault::DropReply, -1, -1, Complete}};
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatString(
            "fault %d at %d, count %d", static_cast<int>(c.fault), c.hit, c.countShown));
        ClearFolder();
        sim.SetRecordCount(1, Count);
        sim.SetRecordCount(2, Count);
        const std::vector<std::string> first = sim.Records(1);
        const std::vector<std::string> second = sim.Records(2);
        boxes.requests.clear();
        sim.SetCountShown(1, c.countShown);
        sim.InjectFault(c.fault, FirstRecordLine + c.hit);
        Receive();

        const auto raw = FileLines(Acc(1));
        for (int i = 0; i < Count; ++i) {
            if (c.fault != SimFault::Flood || i != c.hit) {
                EXPECT_TRUE(Contains(raw, first[static_cast<size_t>(i)])) << "record " << i;
            }
        }
        EXPECT_EQ(sim.RecordCount(1), c.told == Complete ? 0 : Count);
        EXPECT_EQ(FileLines(Acc(2)), second);
        EXPECT_EQ(sim.RecordCount(2), 0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.told});
    }
}

// The records past the capacity still come: they are kept too.
TEST_F(DownloadIntegrityTest, MoreRecordsThanOneDownloadReadsKeepTheMemory)
{
    CSerialCom::SetSliceMs(10); // the simulator needs a while to line up 35004 records
    Record().m_units[0].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;
    sim.SetRecordCount(1, LoggerMemoryCapacity + 4);
    const std::vector<std::string> records = sim.Records(1);
    Receive();
    const auto raw = FileLines(Acc(1));
    ASSERT_GE(raw.size(), records.size());
    EXPECT_EQ(std::vector<std::string>(raw.end() - records.size(), raw.end()), records);
    EXPECT_FALSE(Sent("@01,01,memory init"));
    EXPECT_EQ(sim.RecordCount(1), LoggerMemoryCapacity + 4);
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{
            "Logger ID 1 holds more records than one download reads; its memory was kept."});
}

TEST_F(DownloadIntegrityTest, ReadingsStoredDuringTheDownloadKeepTheMemory)
{
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
        ASSERT_TRUE(Attach(line));
        // Slices long enough for the close to be seen within the second of silence that ends
        // a half reply, as it is at the line's own slices.
        CSerialCom::SetSliceMs(10);
        SetUpNetwork(line);
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

// Two configurations whose names differ only in a byte that is not UTF-8 ("Dammä" and "Dammö"
// written on another system) would share one file under Qt's replacement character: download
// and save refuse both, naming them readably, and no other writer takes such a path. The files
// still load with their names' bytes.
TEST_F(DownloadIntegrityTest, NamesThatAreNotUtf8NeverShareAFile)
{
    const std::string notUtf8 = "could not be written: its name or folder is not UTF-8 text.";
    std::vector<std::string> told;
    const std::pair<std::string, std::string> names[]
        = {{"Damm\xE4", "Damm\\xE4"}, {"Damm\xF6", "Damm\\xF6"}};
    for (const auto& [name, readable] : names) {
        LoggerRecord stored = Record();
        SetFieldText(stored.m_szName, name);
        const std::string entry = Folder() + (name == names[0].first ? "a" : "o");
        QFile file(QString::fromStdString(entry + ".arg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(reinterpret_cast<const char*>(&stored), sizeof stored),
            static_cast<qint64>(sizeof stored));
        file.close();
        ASSERT_TRUE(LoadLoggerFile(0, entry));
        EXPECT_EQ(FieldText(Record().m_szName), name);

        Receive();
        EXPECT_FALSE(SaveCurrentConfiguration());
        told.push_back(FormatString(
            "The configuration name %s cannot be used in a file name; nothing was received.",
            readable.c_str()));
        told.push_back(FormatString("The configuration file %s%s.arg %s", Folder().c_str(),
            readable.c_str(), notUtf8.c_str()));
        AccFile raw(Acc(1));
        EXPECT_FALSE(raw.Open());
        EXPECT_FALSE(RebuildCsvFile(Record(), 1, raw));
    }

    // A data folder that is not UTF-8 is refused the same way.
    SetFieldText(Record().m_szName, "Site1");
    SetFieldText(Record().m_szDataFolder, Folder() + "M\xFCller/");
    Receive();
    EXPECT_FALSE(SaveCurrentConfiguration());
    told.push_back(FormatString(
        "The data folder %sM\\xFCller/ is not UTF-8 text; choose another one in the configuration.",
        Folder().c_str()));
    told.push_back(FormatString(
        "The configuration file %sM\\xFCller/Site1.arg %s", Folder().c_str(), notUtf8.c_str()));

    EXPECT_EQ(boxes.Texts(), told);
    EXPECT_TRUE(sim.Commands().empty());
    // A name in UTF-8 is a name like any other.
    SetFieldText(Record().m_szDataFolder, Folder());
    SetFieldText(Record().m_szName, "Damm\xC3\xA4");
    EXPECT_TRUE(SaveCurrentConfiguration());
    EXPECT_EQ(
        QDir(QString::fromStdString(Folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList{"a.arg", QString::fromUtf8("Damm\xC3\xA4.arg"), "o.arg"}));
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
