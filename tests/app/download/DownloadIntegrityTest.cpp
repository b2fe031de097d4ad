// A logger's memory is erased only when every record it holds is in its raw file on disk, and every
// way a download fails is said.

#include "DownloadFixture.h"

#include "app/ConfigurationSave.h"
#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataRecord.h"
#include "record/LoggerFile.h"

#include <QFile>
#include <QTimer>

namespace {

using loggersim::SimFault;
using DownloadIntegrityTest = DownloadFixture;

bool Contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A damaged, flooded, repeated or missing record, at the first, a middle and the last record, never
// counts as arrived nor takes the place of another: the memory is erased only when every record is
// on disk, and the operator is told what happened. A whole record whose line end never came has
// arrived; a stream that stops is given up two silent records later.
TEST_F(DownloadIntegrityTest, ADamagedRecordKeepsTheMemory)
{
    ShortSlices();
    PeriodicWithErase();
    constexpr int Count = 12; // each record that cannot come costs two silent reads
    sim.SetRecordCount(1, Count);
    const Lines records = sim.Records(1);
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
            Fresh(sim);
            sim.SetRecordCount(1, Count);
            sim.InjectFault(c.fault, FirstRecordLine + hit);
            Receive();
            const Lines raw = FileLines(Acc(1));
            int arrivedCount = 0;
            for (int i = 0; i < Count; ++i) {
                const bool expected
                    = i < hit || (i == hit && c.itselfComes) || (i > hit && c.restCome);
                arrivedCount += expected;
                EXPECT_EQ(Contains(raw, records[static_cast<size_t>(i)]), expected) << i;
            }
            if (c.fault == SimFault::Garbage) { // junk stays as it came; a last read is silent
                ASSERT_EQ(raw.size(), static_cast<size_t>(Count + (hit < Count - 1)));
                EXPECT_EQ(raw[static_cast<size_t>(hit)].size(), DataRecordLength);
                EXPECT_EQ(raw.back(), hit < Count - 1 ? "" : raw[static_cast<size_t>(hit)]);
            }
            EXPECT_TRUE(Exists(Csv(1)));
            EXPECT_EQ(Erased(), arrivedCount == Count);
            EXPECT_EQ(sim.RecordCount(1), arrivedCount == Count ? 0 : Count);
            // Nothing comes from the hit record on (or from the next one): two such records in a
            // row show the stream has stopped.
            const int silentFrom = hit + (c.fault == SimFault::EndReply ? 0 : 1);
            const bool stopped = !c.restCome && silentFrom + 2 <= Count;
            EXPECT_EQ(Told(),
                Lines{arrivedCount == Count ? Complete
                        : stopped           ? SentOf(arrivedCount, Count)
                                            : OneMissing});
        }
    }
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
}

TEST_F(DownloadIntegrityTest, ACountTheLoggerCannotBeTrustedKeepsTheMemory)
{
    ShortSlices();
    PeriodicWithErase();
    // Under-reported in both counts: the stream going on from the first, a middle or the last
    // record contradicts the count; every record it brings is kept.
    for (const int count : {1, 20, 39}) {
        SCOPED_TRACE(count);
        Fresh(sim);
        sim.SetCountShown(1, count);
        Receive();
        EXPECT_EQ(FileLines(Acc(1)), sim.Records(1));
        EXPECT_FALSE(Erased());
        EXPECT_EQ(Told(), Lines{MoreThanCounted});
    }
    sim.SetCountShown(1, -1);

    // Another logger's head, a damaged word, a damaged count: no answer.
    for (const char* reply :
        {"@01,02,memory 40\r\n", "@01,01,memorx 40\r\n", "@01,01,memory 4x\r\n"}) {
        SCOPED_TRACE(reply);
        ClearReceived();
        boxes.requests.clear();
        sim.OverrideNextReply(reply);
        Receive();
        EXPECT_FALSE(Erased());
        EXPECT_EQ(sim.RecordCount(1), 40);
    }
    EXPECT_EQ(Told(), Lines{"No response from logger ID 1."});
}

// A count the logger does not hold is read only until its stream has stopped: two records in a row
// of which nothing came end that logger well within a minute of its last record at the line's own
// time-outs (600 slices), its memory kept; the next logger is read as usual. So do ten in a row
// that brought no record.
TEST_F(DownloadIntegrityTest, AStreamThatStopsEndsItsLoggerWithinAMinute)
{
    ShortSlices();
    PeriodicWithErase();
    sim.SetRecordCount(1, 5);
    sim.SetCountShown(1, LoggerMemoryCapacity);
    Lines expected = sim.Records(1);
    expected.push_back(""); // the first record of which nothing came

    const long long before = g_port.m_Serial.SliceCount();
    Receive();
    EXPECT_LT(g_port.m_Serial.SliceCount() - before, 600);
    EXPECT_EQ(FileLines(Acc(1)), expected);
    EXPECT_EQ(sim.RecordCount(1), 5);
    EXPECT_EQ(Told(), Lines{SentOf(5, LoggerMemoryCapacity)});

    Fresh(sim);
    SetUpNetwork(sim);
    const Lines second = sim.Records(2);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), expected);
    EXPECT_EQ(FileLines(Acc(2)), second);
    EXPECT_EQ(sim.RecordCount(2), 0);
    EXPECT_EQ(Told(), Lines{SentOf(5, LoggerMemoryCapacity)});

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
    EXPECT_EQ(Told(), Lines{SentOf(5, 40)});
}

// What a logger sends stays with it: the lines after its counted records, a flood among them
// that goes on whatever is sent meanwhile, go into its own raw file, never into the next
// logger's answer; a record sent twice counts once, and one that came in place of the lost
// head of the transfer counts too.
TEST_F(DownloadIntegrityTest, WhatALoggerSendsStaysWithThatLogger)
{
    ShortSlices();
    SetUpNetwork(sim);
    constexpr int Count = 12;
    sim.SetRecordCount(1, Count);
    sim.SetRecordCount(2, Count);
    const Lines first = sim.Records(1);
    const Lines second = sim.Records(2);
    struct Case
    {
        SimFault fault;
        int hit;
        int countShown; // -1: what it holds
        std::string told;
    };
    const Case cases[]
        = {{SimFault::Flood, 0, -1, OneMissing}, {SimFault::Flood, 6, -1, OneMissing},
            {SimFault::Flood, 11, -1, OneMissing}, {SimFault::Flood, 11, 6, MoreThanCounted},
            {SimFault::Repeat, 6, -1, Complete}, {SimFault::DropReply, -1, -1, Complete}};
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatString(
            "fault %d at %d, count %d", static_cast<int>(c.fault), c.hit, c.countShown));
        Fresh(sim);
        sim.SetRecordCount(1, Count);
        sim.SetRecordCount(2, Count);
        sim.SetCountShown(1, c.countShown);
        sim.InjectFault(c.fault, FirstRecordLine + c.hit);
        Receive();

        const auto raw = FileLines(Acc(1));
        for (int i = 0; i < Count; ++i) {
            EXPECT_TRUE((c.fault == SimFault::Flood && i == c.hit)
                || Contains(raw, first[static_cast<size_t>(i)]))
                << i;
        }
        EXPECT_EQ(sim.RecordCount(1), c.told == Complete ? 0 : Count);
        EXPECT_EQ(FileLines(Acc(2)), second);
        EXPECT_EQ(sim.RecordCount(2), 0);
        EXPECT_EQ(Told(), Lines{c.told});
    }
}

// The records past the capacity still come: they are kept too.
TEST_F(DownloadIntegrityTest, MoreRecordsThanOneDownloadReadsKeepTheMemory)
{
    CSerialCom::SetSliceMs(10); // the simulator needs a while to line up 35004 records
    PeriodicWithErase();
    sim.SetRecordCount(1, LoggerMemoryCapacity + 4);
    const Lines records = sim.Records(1);
    Receive();
    const auto raw = FileLines(Acc(1));
    ASSERT_GE(raw.size(), records.size());
    EXPECT_EQ(Lines(raw.end() - records.size(), raw.end()), records);
    EXPECT_FALSE(Erased());
    EXPECT_EQ(sim.RecordCount(1), LoggerMemoryCapacity + 4);
    EXPECT_EQ(Told(),
        Lines{"Logger ID 1 holds more records than one download "
              "reads; its memory was kept."});
}

TEST_F(DownloadIntegrityTest, ReadingsStoredDuringTheDownloadKeepTheMemory)
{
    sim.SetPaced(true);
    PeriodicWithErase();
    // The logger measures four readings once its memory is being read.
    const auto records = sim.Records(1);
    QTimer measure;
    measure.callOnTimeout([&] {
        if (Sent("@01,01,data load")) {
            measure.stop();
            sim.SetRecordCount(1, 44);
        }
    });
    measure.start(1);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), records);
    EXPECT_FALSE(Erased());
    EXPECT_EQ(sim.RecordCount(1), 44);
    EXPECT_EQ(Told(), Lines{"Logger ID 1: 4 records did not arrive; its memory was kept."});

    // The next download reads them all; the table counts each record once.
    boxes.requests.clear();
    Receive();
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_EQ(Told(), Lines{Complete});
}

// Wherever the line goes away, the download stops there and says so, never "complete".
TEST_F(DownloadIntegrityTest, TheLineGoingAwayBetweenStepsIsSaid)
{
    // Two periodic loggers of 40 records with erase: logger 1's count (0), its count again (42),
    // memory init (43); logger 2's count (44).
    for (const int at : {0, 42, 43, 44}) {
        SCOPED_TRACE(at);
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(Attach(line));
        // Slices long enough for the close to be seen within the second of silence that ends a half
        // reply, as it is at the line's own slices.
        CSerialCom::SetSliceMs(10);
        SetUpNetwork(line);
        boxes.requests.clear();
        line.InjectFault(SimFault::Vanish, at);
        Receive();
        EXPECT_EQ(Told(), Lines{LineGone});
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
    EXPECT_EQ(Told(),
        Lines{"The data folder C:\\Data\\ is not a full path; "
              "choose another one in the "
              "configuration."});
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);

    SetFieldText(Record().m_szDataFolder, Folder() + "inner/");
    for (const char* name : {"../Escaped", "a/b", "..", ""}) {
        SCOPED_TRACE(name);
        boxes.requests.clear();
        SetFieldText(Record().m_szName, name);
        Receive();
        ASSERT_EQ(boxes.requests.size(), 1u);
        EXPECT_NE(boxes.requests[0].text.find("cannot be used in a file name"), std::string::npos);
    }
    // While the schedule runs the refusal is traced, not shown.
    g_bScheduleRunning = true;
    boxes.requests.clear();
    Receive();
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(QDir(cwd.path()).isEmpty());
    EXPECT_EQ(
        QDir(QString::fromStdString(Folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList{});
    ASSERT_TRUE(QDir::setCurrent(before));
}

// Two configurations whose names differ only in a byte that is not UTF-8 ("Dammä" and "Dammö"
// written on another system) would share one file under Qt's replacement character: download and
// save refuse both, naming them readably, and no other writer takes such a path. The files still
// load with their names' bytes.
TEST_F(DownloadIntegrityTest, NamesThatAreNotUtf8NeverShareAFile)
{
    const std::string notUtf8 = "could not be written: its name or folder is not UTF-8 text.";
    Lines told;
    for (const auto& [name, readable, entry] :
        {std::tuple{"Damm\xE4", "Damm\\xE4", "a"}, std::tuple{"Damm\xF6", "Damm\\xF6", "o"}}) {
        LoggerRecord stored = Record();
        SetFieldText(stored.m_szName, name);
        QFile file(QString::fromStdString(Folder() + entry + ".arg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(reinterpret_cast<const char*>(&stored), sizeof stored),
            static_cast<qint64>(sizeof stored));
        file.close();
        ASSERT_TRUE(LoadLoggerFile(0, Folder() + entry));
        EXPECT_EQ(FieldText(Record().m_szName), name);

        Receive();
        EXPECT_FALSE(SaveCurrentConfiguration());
        told.push_back(FormatString("The configuration name %s cannot be used in a "
                                    "file name; nothing was received.",
            readable));
        told.push_back(FormatString(
            "The configuration file %s%s.arg %s", Folder().c_str(), readable, notUtf8.c_str()));
        AccFile raw(Acc(1));
        EXPECT_FALSE(raw.Open());
        EXPECT_FALSE(RebuildCsvFile(Record(), 1, raw));
    }

    // A data folder that is not UTF-8 is refused the same way.
    SetFieldText(Record().m_szName, "Site1");
    SetFieldText(Record().m_szDataFolder, Folder() + "M\xFCller/");
    Receive();
    EXPECT_FALSE(SaveCurrentConfiguration());
    told.push_back(FormatString("The data folder %sM\\xFCller/ is not UTF-8 "
                                "text; choose another one in the configuration.",
        Folder().c_str()));
    told.push_back(FormatString(
        "The configuration file %sM\\xFCller/Site1.arg %s", Folder().c_str(), notUtf8.c_str()));
    EXPECT_EQ(Told(), told);
    EXPECT_TRUE(sim.Commands().empty());

    // A name in UTF-8 is a name like any other.
    SetFieldText(Record().m_szDataFolder, Folder());
    SetFieldText(Record().m_szName, "Damm\xC3\xA4");
    EXPECT_TRUE(SaveCurrentConfiguration());
    EXPECT_EQ(
        QDir(QString::fromStdString(Folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList{"a.arg", QString::fromUtf8("Damm\xC3\xA4.arg"), "o.arg"}));
}

// The records are safe in the raw file, so the erase still follows; the operator learns that the
// table is missing.
TEST_F(DownloadIntegrityTest, ATableThatCannotBeWrittenIsSaid)
{
    ShortSlices();
    Record().m_bEraseAfterReceive = 1;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Csv(1))));
    const Lines records = sim.Records(1);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), records);
    EXPECT_EQ(
        Told(), Lines{FormatString("The table file %s could not be written.", Csv(1).c_str())});
    EXPECT_TRUE(Erased());
}

} // namespace
