// A logger's memory is erased only when every record it holds is on disk; every failure is said.

#include "DownloadFixture.h"

#include "app/ConfigurationSave.h"
#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "data/DataRecord.h"

#include "support/ModalDriver.h"

namespace {

using loggersim::SimFault;
using DownloadIntegrityTest = DownloadFixture;

bool Contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A damaged, flooded, repeated or missing record at the first, a middle or the last record never
// counts as arrived nor takes another's place, nor spills into the next logger's answer. A record
// without its line end has arrived; a stream that stops is given up two silent records later.
TEST_F(DownloadIntegrityTest, ADamagedRecordKeepsTheMemory)
{
    ShortSlices();
    SetUpNetwork(sim);
    constexpr int Count = 12; // each record that cannot come costs two silent reads
    sim.SetRecordCount(1, Count);
    sim.SetRecordCount(2, 3);
    const Lines records = sim.Records(1);
    const Lines second = sim.Records(2);
    // The fault; whether the hit record still arrives whole; whether the ones after it come.
    for (const auto& [fault, itselfComes, restCome] :
        {std::tuple{SimFault::Garbage, false, true}, std::tuple{SimFault::LongLine, false, true},
            std::tuple{SimFault::HugeLine, false, true}, std::tuple{SimFault::NulByte, false, true},
            std::tuple{SimFault::DropReply, false, true}, std::tuple{SimFault::Flood, false, true},
            std::tuple{SimFault::Repeat, true, true}, std::tuple{SimFault::CutLine, false, false},
            std::tuple{SimFault::NoLineEnd, true, false},
            std::tuple{SimFault::EndReply, false, false}}) {
        std::vector<int> hits{0, Count / 2, Count - 1};
        if (fault == SimFault::DropReply)
            hits.push_back(-1); // the head of the transfer: the first record takes its place
        for (const int hit : hits) {
            SCOPED_TRACE(FormatString("fault %d at record %d", static_cast<int>(fault), hit));
            Fresh(sim);
            sim.SetRecordCount(1, Count);
            sim.SetRecordCount(2, 3);
            sim.InjectFault(fault, FirstRecordLine + hit);
            Receive();
            const Lines raw = FileLines(Acc(1));
            int arrived = 0;
            for (int i = 0; i < Count; ++i) {
                const bool expected = i < hit || (i == hit && itselfComes) || (i > hit && restCome);
                arrived += expected;
                EXPECT_EQ(Contains(raw, records[static_cast<size_t>(i)]), expected) << i;
            }
            if (fault == SimFault::Garbage) { // junk stays whole, as it came; a last read is silent
                ASSERT_EQ(raw.size(), static_cast<size_t>(Count + (hit < Count - 1)));
                EXPECT_EQ(raw[static_cast<size_t>(hit)].size(),
                    LoggerCommand::DataLoadCut + DataRecordLength);
                EXPECT_EQ(raw.back(), hit < Count - 1 ? "" : raw[static_cast<size_t>(hit)]);
            }
            EXPECT_TRUE(Exists(Csv(1)));
            EXPECT_EQ(FileLines(Acc(2)), second);
            EXPECT_EQ(sim.RecordCount(2), 0);
            const int silentFrom = hit + (fault == SimFault::EndReply ? 0 : 1);
            const bool stopped = !restCome && silentFrom + 2 <= Count;
            EXPECT_EQ(Outcome(),
                std::tuple(arrived == Count, arrived == Count ? 0 : Count,
                    Lines{arrived == Count ? Complete
                            : stopped      ? SentOf(arrived, Count)
                                           : OneMissing}));
        }
    }
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
}

// A count the stream contradicts, a flood past it among them, or a reply that is no count of this
// logger keeps the memory; every record that came is kept.
TEST_F(DownloadIntegrityTest, ACountTheLoggerCannotBeTrustedKeepsTheMemory)
{
    ShortSlices();
    SetUpNetwork(sim);
    const Lines records = sim.Records(1);
    const Lines second = sim.Records(2);
    for (const auto& [count, flooded] :
        {std::pair{1, -1}, std::pair{20, -1}, std::pair{39, -1}, std::pair{6, 11}}) {
        SCOPED_TRACE(count);
        Fresh(sim);
        sim.SetRecordCount(2, 40);
        sim.SetCountShown(1, count);
        if (flooded >= 0)
            sim.InjectFault(SimFault::Flood, FirstRecordLine + flooded);
        Receive();
        const Lines raw = FileLines(Acc(1));
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(Contains(raw, records[static_cast<size_t>(i)]), i != flooded) << i;
        EXPECT_TRUE(flooded >= 0 || raw == records);
        EXPECT_EQ(FileLines(Acc(2)), second);
        // The flooded record is an overlong line under the records' head: it too may be a record.
        const std::string damaged = "Logger ID 1: a damaged line came with its 6 counted "
                                    "records; it may be a record, so its memory was kept.\n";
        EXPECT_EQ(Outcome(),
            std::tuple(false, 40, Lines{(flooded >= 0 ? damaged : "") + MoreThanCounted}));
    }
    sim.SetCountShown(1, -1);
    Record().m_bSingle = 1;
    for (const char* reply :
        {"@01,02,memory 40\r\n", "@01,01,memorx 40\r\n", "@01,01,memory 4x\r\n"}) {
        SCOPED_TRACE(reply);
        Fresh(sim);
        sim.OverrideNextReply(reply);
        Receive();
        EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{"No response from logger ID 1."}));
    }
}

// A count the logger does not hold is read only until its stream has stopped, well within a minute
// at the line's own time-outs (600 slices); the next logger is read as usual. So do ten records in
// a row of junk.
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
    EXPECT_EQ(Outcome(), std::tuple(false, 5, Lines{SentOf(5, LoggerMemoryCapacity)}));

    Fresh(sim);
    SetUpNetwork(sim);
    const Lines second = sim.Records(2);
    Receive();
    EXPECT_EQ(FileLines(Acc(1)), expected);
    EXPECT_EQ(FileLines(Acc(2)), second);
    EXPECT_EQ(sim.RecordCount(2), 0);
    EXPECT_EQ(Outcome(), std::tuple(false, 5, Lines{SentOf(5, LoggerMemoryCapacity)}));

    Fresh(sim);
    sim.SetRecordCount(1, 40);
    sim.SetRecordCount(2, 40);
    sim.SetCountShown(1, -1);
    for (int line = 0; line < 20; ++line) // two reads for each record
        sim.InjectFault(SimFault::Garbage, FirstRecordLine + 5 + line);
    Receive();
    EXPECT_EQ(sim.RecordCount(2), 0);
    EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{SentOf(20, 40)}));
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
    EXPECT_EQ(Outcome(),
        std::tuple(false, LoggerMemoryCapacity + 4,
            Lines{"Logger ID 1 holds more records than one download reads; its memory was kept."}));

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
    EXPECT_EQ(Outcome(),
        std::tuple(
            false, 44, Lines{"Logger ID 1: 4 records did not arrive; its memory was kept."}));
    boxes.requests.clear(); // the next download reads them all, each once
    Receive();
    EXPECT_EQ(sim.RecordCount(1), 0);
    EXPECT_EQ(Told(), Lines{Complete});
}

// A relative folder, a name that leaves its folder, or one that is not UTF-8 ("Dammä" and "Dammö"
// from another system would share one file under Qt's replacement character) are refused before
// anything, named readably, by every writer; while the schedule runs the refusal is only traced.
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
    const std::string notUtf8 = "could not be written: its name or folder is not UTF-8 text.";
    SetFieldText(Record().m_szDataFolder, Folder());
    EXPECT_FALSE(SaveCurrentConfiguration());
    told.push_back(FormatString(
        "The configuration file %sDamm\\xE4.arg %s", Folder().c_str(), notUtf8.c_str()));
    AccFile raw(Acc(1));
    EXPECT_FALSE(raw.Open());
    EXPECT_FALSE(RebuildCsvFile(Record(), 1, raw));
    SetFieldText(Record().m_szName, "Site1");
    SetFieldText(Record().m_szDataFolder, Folder() + "M\xFCller/");
    Receive();
    EXPECT_FALSE(SaveCurrentConfiguration());
    told.push_back(FormatString("The data folder %sM\\xFCller/ is not UTF-8 text; choose another "
                                "one in the configuration.",
        Folder().c_str()));
    told.push_back(FormatString(
        "The configuration file %sM\\xFCller/Site1.arg %s", Folder().c_str(), notUtf8.c_str()));
    EXPECT_EQ(Told(), told);
    EXPECT_EQ(boxes.requests[0].icon, MessageIcon::Warning);
    g_bScheduleRunning = true;
    boxes.requests.clear();
    Receive();
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_TRUE(sim.Commands().empty());
    EXPECT_TRUE(QDir(cwd.path()).isEmpty());
    // A name in UTF-8 is a name like any other.
    SetFieldText(Record().m_szDataFolder, Folder());
    SetFieldText(Record().m_szName, "Damm\xC3\xA4");
    EXPECT_TRUE(SaveCurrentConfiguration());
    EXPECT_EQ(
        QDir(QString::fromStdString(Folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList{QString::fromUtf8("Damm\xC3\xA4.arg")});
    ASSERT_TRUE(QDir::setCurrent(before));
}

} // namespace
