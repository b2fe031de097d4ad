// A logger's memory is erased only when every record it holds is in its raw file on disk, and every
// way a download fails is said.

#include "DownloadFixture.h"

#include "app/ConfigurationSave.h"
#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataRecord.h"
#include "record/LoggerFile.h"

#include "support/ModalDriver.h"

#include <QFile>

#include <tuple>

namespace {

using loggersim::SimFault;
using DownloadIntegrityTest = DownloadFixture;

bool Contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A damaged, flooded, repeated or missing record, at the first, a middle and the last record, never
// counts as arrived nor takes the place of another. A whole record whose line end never came has
// arrived; a stream that stops is given up two silent records later.
TEST_F(DownloadIntegrityTest, ADamagedRecordKeepsTheMemory)
{
    ShortSlices();
    PeriodicWithErase();
    constexpr int Count = 12; // each record that cannot come costs two silent reads
    sim.SetRecordCount(1, Count);
    const Lines records = sim.Records(1);
    // The fault; whether the hit record still arrives whole; whether the ones after it come.
    for (const auto& [fault, itselfComes, restCome] :
        {std::tuple{SimFault::Garbage, false, true}, std::tuple{SimFault::LongLine, false, true},
            std::tuple{SimFault::HugeLine, false, true}, std::tuple{SimFault::NulByte, false, true},
            std::tuple{SimFault::DropReply, false, true}, std::tuple{SimFault::Flood, false, true},
            std::tuple{SimFault::Repeat, true, true}, std::tuple{SimFault::CutLine, false, false},
            std::tuple{SimFault::NoLineEnd, true, false},
            std::tuple{SimFault::EndReply, false, false}}) {
        for (const int hit : {0, Count / 2, Count - 1}) {
            SCOPED_TRACE(FormatString("fault %d at record %d", static_cast<int>(fault), hit));
            Fresh(sim);
            sim.SetRecordCount(1, Count);
            sim.InjectFault(fault, FirstRecordLine + hit);
            Receive();
            const Lines raw = FileLines(Acc(1));
            int arrived = 0;
            for (int i = 0; i < Count; ++i) {
                const bool expected = i < hit || (i == hit && itselfComes) || (i > hit && restCome);
                arrived += expected;
                EXPECT_EQ(Contains(raw, records[static_cast<size_t>(i)]), expected) << i;
            }
            if (fault == SimFault::Garbage) { // junk stays as it came; a last read is silent
                ASSERT_EQ(raw.size(), static_cast<size_t>(Count + (hit < Count - 1)));
                EXPECT_EQ(raw[static_cast<size_t>(hit)].size(), DataRecordLength);
                EXPECT_EQ(raw.back(), hit < Count - 1 ? "" : raw[static_cast<size_t>(hit)]);
            }
            EXPECT_TRUE(Exists(Csv(1)));
            EXPECT_EQ(Erased(), arrived == Count);
            EXPECT_EQ(sim.RecordCount(1), arrived == Count ? 0 : Count);
            // Two records in a row of which nothing came show the stream has stopped.
            const int silentFrom = hit + (fault == SimFault::EndReply ? 0 : 1);
            const bool stopped = !restCome && silentFrom + 2 <= Count;
            EXPECT_EQ(Told(),
                Lines{arrived == Count ? Complete
                        : stopped      ? SentOf(arrived, Count)
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
        Fresh(sim);
        sim.OverrideNextReply(reply);
        Receive();
        EXPECT_FALSE(Erased());
        EXPECT_EQ(sim.RecordCount(1), 40);
        EXPECT_EQ(Told(), Lines{"No response from logger ID 1."});
    }
}

// A count the logger does not hold is read only until its stream has stopped, well within a minute
// at the line's own time-outs (600 slices), its memory kept; the next logger is read as usual. So
// do ten records in a row that brought no record.
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

// The lines after a logger's counted records, a flood among them that goes on whatever is sent
// meanwhile, go into its own raw file, never into the next logger's answer; a record sent twice
// counts once, and one that came in place of the lost head of the transfer counts too.
TEST_F(DownloadIntegrityTest, WhatALoggerSendsStaysWithThatLogger)
{
    ShortSlices();
    SetUpNetwork(sim);
    constexpr int Count = 12;
    sim.SetRecordCount(1, Count);
    sim.SetRecordCount(2, Count);
    const Lines first = sim.Records(1);
    const Lines second = sim.Records(2);
    // The fault, its record, the count shown (-1: what it holds), the box.
    for (const auto& [fault, hit, countShown, told] :
        {std::tuple{SimFault::Flood, 0, -1, OneMissing},
            std::tuple{SimFault::Flood, 6, -1, OneMissing},
            std::tuple{SimFault::Flood, 11, -1, OneMissing},
            std::tuple{SimFault::Flood, 11, 6, MoreThanCounted},
            std::tuple{SimFault::Repeat, 6, -1, Complete},
            std::tuple{SimFault::DropReply, -1, -1, Complete}}) {
        SCOPED_TRACE(
            FormatString("fault %d at %d, count %d", static_cast<int>(fault), hit, countShown));
        Fresh(sim);
        sim.SetRecordCount(1, Count);
        sim.SetRecordCount(2, Count);
        sim.SetCountShown(1, countShown);
        sim.InjectFault(fault, FirstRecordLine + hit);
        Receive();
        const auto raw = FileLines(Acc(1));
        for (int i = 0; i < Count; ++i) {
            EXPECT_TRUE((fault == SimFault::Flood && i == hit)
                || Contains(raw, first[static_cast<size_t>(i)]))
                << i;
        }
        EXPECT_EQ(sim.RecordCount(1), told == Complete ? 0 : Count);
        EXPECT_EQ(FileLines(Acc(2)), second);
        EXPECT_EQ(sim.RecordCount(2), 0);
        EXPECT_EQ(Told(), Lines{told});
    }
}

// Records past the capacity, and readings stored while the memory is read, are kept too.
TEST_F(DownloadIntegrityTest, RecordsBeyondWhatOneDownloadReadsKeepTheMemory)
{
    PeriodicWithErase();
    sim.SetRecordCount(1, LoggerMemoryCapacity + 4);
    const Lines many = sim.Records(1);
    Receive();
    const auto raw = FileLines(Acc(1));
    ASSERT_GE(raw.size(), many.size());
    EXPECT_EQ(Lines(raw.end() - many.size(), raw.end()), many);
    EXPECT_FALSE(Erased());
    EXPECT_EQ(sim.RecordCount(1), LoggerMemoryCapacity + 4);
    EXPECT_EQ(Told(),
        Lines{"Logger ID 1 holds more records than one download reads; its memory was kept."});

    Fresh(sim);
    sim.SetRecordCount(1, 40);
    sim.SetPaced(true);
    const auto records = sim.Records(1);
    ModalDriver driver; // the logger measures four readings once its memory is being read
    driver.Then([this](QWidget* dialog) {
        When(
            dialog, [this] { return Sent("@01,01,data load"); },
            [this](QWidget*) { sim.SetRecordCount(1, 44); });
    });
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
    // Two loggers of 40 records with erase: logger 1's count (0), its count again (42), memory
    // init (43); logger 2's count (44).
    for (const int at : {0, 42, 43, 44}) {
        SCOPED_TRACE(at);
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(Attach(line));
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

// A relative folder, a name that leaves its folder, or one that is not UTF-8 ("Dammä" and "Dammö"
// written on another system would share one file under Qt's replacement character) are refused
// before anything, naming them readably; while the schedule runs the refusal is traced, not shown.
TEST_F(DownloadIntegrityTest, AFolderOrNameOutsideItsPlaceIsRefusedBeforeAnything)
{
    const QString before = QDir::currentPath();
    QTemporaryDir cwd;
    ASSERT_TRUE(QDir::setCurrent(cwd.path()));
    SetFieldText(Record().m_szDataFolder, "C:\\Data\\");
    Receive();
    Lines told{"The data folder C:\\Data\\ is not a full path; choose another one in the "
               "configuration."};
    SetFieldText(Record().m_szDataFolder, Folder() + "inner/");
    for (const auto& [name, readable] :
        {std::pair{"../Escaped", "../Escaped"}, std::pair{"a/b", "a/b"}, std::pair{"..", ".."},
            std::pair{"", ""}, std::pair{"Damm\xE4", "Damm\\xE4"}}) {
        SetFieldText(Record().m_szName, name);
        Receive();
        told.push_back(FormatString(
            "The configuration name %s cannot be used in a file name; nothing was received.",
            readable));
    }
    SetFieldText(Record().m_szName, "Site1");
    SetFieldText(Record().m_szDataFolder, Folder() + "M\xFCller/");
    Receive();
    told.push_back(FormatString("The data folder %sM\\xFCller/ is not UTF-8 text; choose another "
                                "one in the configuration.",
        Folder().c_str()));
    EXPECT_EQ(Told(), told);
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
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

// Names whose bytes are not UTF-8 load with their bytes, but no writer takes such a path; a name
// in UTF-8 is a name like any other.
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
        EXPECT_FALSE(SaveCurrentConfiguration());
        told.push_back(FormatString(
            "The configuration file %s%s.arg %s", Folder().c_str(), readable, notUtf8.c_str()));
        AccFile raw(Acc(1));
        EXPECT_FALSE(raw.Open());
        EXPECT_FALSE(RebuildCsvFile(Record(), 1, raw));
    }
    SetFieldText(Record().m_szName, "Site1");
    SetFieldText(Record().m_szDataFolder, Folder() + "M\xFCller/");
    EXPECT_FALSE(SaveCurrentConfiguration());
    told.push_back(FormatString(
        "The configuration file %sM\\xFCller/Site1.arg %s", Folder().c_str(), notUtf8.c_str()));
    EXPECT_EQ(Told(), told);

    SetFieldText(Record().m_szDataFolder, Folder());
    SetFieldText(Record().m_szName, "Damm\xC3\xA4");
    EXPECT_TRUE(SaveCurrentConfiguration());
    EXPECT_EQ(
        QDir(QString::fromStdString(Folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList{"a.arg", QString::fromUtf8("Damm\xC3\xA4.arg"), "o.arg"}));
}

} // namespace
