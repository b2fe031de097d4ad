// What a logger sends besides its counted records, and what becomes of its raw file meanwhile,
// decide whether its memory may go; each is told as what it is.

#include "DownloadFixture.h"

#include "platform/DebugTrace.h"

#include "support/ModalDriver.h"

#include <QFile>

namespace {

using loggersim::SimFault;
using DownloadEndTest = DownloadFixture;

// One closing line after the records is the logger's own end and the memory goes; a second, or a
// record the count left out, keeps it. The raw file has whatever came, a closing line whole.
TEST_F(DownloadEndTest, OneClosingLineIsTheLoggersOwnEnd)
{
    ShortSlices();
    PeriodicWithErase();
    const Lines records = sim.Records(1);
    std::string uncounted = records.back();
    uncounted.replace(uncounted.size() - 6, 6, "999999");
    // The closing lines; what the raw file keeps of them; whether the memory goes.
    for (const auto& [closing, kept, erased] : {
             std::tuple{Lines{"data load end"}, Lines{"@01,01,data load end"}, true},
             std::tuple{Lines{"DL:" + records.back()}, Lines{records.back()}, true},
             std::tuple{Lines{"data load end", "ready"},
                 Lines{"@01,01,data load end", "@01,01,ready"}, false},
             std::tuple{Lines{"DL:" + uncounted}, Lines{uncounted}, false},
         }) {
        SCOPED_TRACE(closing.front());
        Fresh(sim);
        sim.SetRecordCount(1, 40);
        sim.SetClosingLines(1, closing);
        Receive();
        Lines raw = records;
        raw.insert(raw.end(), kept.begin(), kept.end());
        EXPECT_EQ(FileLines(Acc(1)), raw);
        EXPECT_EQ(Outcome(),
            erased ? std::tuple(true, 0, Lines{Complete})
                   : std::tuple(false, 40, Lines{MoreThanCounted}));
    }
}

// A memory that holds a record twice, first, in the middle or last, is told as such: no empty line
// stands for it, and the memory stays, for a repeat may hide a record that never came.
TEST_F(DownloadEndTest, ARecordTheMemoryHoldsTwiceIsToldAsSuch)
{
    ShortSlices();
    PeriodicWithErase();
    const Lines records = sim.Records(1);
    const std::string once = "Logger ID 1 sent 40 different records of the 41 it counted, one of "
                             "them twice: 1 record may not have arrived; its memory was kept.";
    for (const auto& [twice, told] :
        {std::pair{std::vector<int>{0}, once}, std::pair{std::vector<int>{20}, once},
            std::pair{std::vector<int>{39}, once},
            std::pair{std::vector<int>{5, 30},
                std::string("Logger ID 1 sent 40 different records of the 42 it counted, 2 of them "
                            "more than once: 2 records may not have arrived; its memory was "
                            "kept.")}}) {
        SCOPED_TRACE(twice.front());
        Fresh(sim);
        sim.SetRecordCount(1, 40);
        sim.SetCountShown(1, 40 + static_cast<int>(twice.size()));
        Lines raw = records;
        for (auto at = twice.rbegin(); at != twice.rend(); ++at) {
            sim.InjectFault(SimFault::Repeat, FirstRecordLine + *at);
            raw.insert(raw.begin() + *at, records[static_cast<size_t>(*at)]);
        }
        Receive();
        EXPECT_EQ(FileLines(Acc(1)), raw);
        EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{told}));
    }
    // A record the line sends twice, the count right, is no record held twice: the last record
    // is still read, also with no erase and no logger after it on the line.
    Fresh(sim);
    sim.SetRecordCount(1, 40);
    sim.SetCountShown(1, -1);
    Record().m_bEraseAfterReceive = 0;
    sim.InjectFault(SimFault::Repeat, FirstRecordLine + 38);
    Receive();
    Lines raw = records;
    raw.insert(raw.begin() + 38, records[38]);
    EXPECT_EQ(FileLines(Acc(1)), raw);
    EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{Complete}));
}

// A record of another logger speaking on the bus, before the first, a middle or the last record,
// fills no place and stays out of the table: the raw file keeps its line whole, which no reader
// takes for a record, and the operator is told. This logger's records all came and it is erased.
TEST_F(DownloadEndTest, AnotherLoggersRecordIsNotThisLoggers)
{
    ShortSlices();
    PeriodicWithErase();
    const Lines records = sim.Records(1);
    Receive();
    const Lines table = FileLines(Csv(1));
    for (const int at : {0, 20, 39}) {
        SCOPED_TRACE(at);
        Fresh(sim);
        sim.SetRecordCount(1, 40);
        sim.InjectFault(SimFault::OtherLogger, FirstRecordLine + at);
        Receive();
        Lines raw = FileLines(Acc(1));
        ASSERT_EQ(raw.size(), records.size() + 1);
        EXPECT_EQ(raw[static_cast<size_t>(at)].rfind("@01,02,DL:02 ", 0), 0u);
        raw.erase(raw.begin() + at);
        EXPECT_EQ(raw, records);
        EXPECT_EQ(FileLines(Csv(1)), table);
        EXPECT_EQ(Outcome(),
            std::tuple(true, 0,
                Lines{"Logger ID 1: a line of another logger came among its records; it is in "
                      "the raw file as it came, not in the table."}));
    }
}

// Another program emptying, deleting or moving the raw file while records come leaves the memory
// as it is: the erase trusts only the file read back from its path.
TEST_F(DownloadEndTest, ARawFileChangedByAnotherProgramKeepsTheMemory)
{
    ShortSlices();
    PeriodicWithErase();
    sim.SetPaced(true);
    const QString acc = QString::fromStdString(Acc(1));
    const std::pair<const char*, std::function<bool()>> changes[] = {
        {"emptied", [acc] { return QFile::resize(acc, 0); }},
        {"deleted", [acc] { return QFile::remove(acc); }},
        {"moved", [acc] { return QFile::rename(acc, acc + ".moved"); }}};
    const std::string note = FormatString("Logger ID 1: the raw file %s no longer holds every "
                                          "record of this download; its memory was kept.",
        Acc(1).c_str());
    for (const auto& [how, change] : changes) {
        SCOPED_TRACE(how);
        Fresh(sim);
        ModalDriver driver;
        bool changed = false;
        driver.Then([&](QWidget* dialog) {
            When(
                dialog, [this] { return FileLines(Acc(1)).size() >= 10; },
                [&](QWidget*) { changed = change(); });
        });
        Receive();
        EXPECT_TRUE(changed);
        EXPECT_FALSE(Erased());
        EXPECT_EQ(sim.RecordCount(1), 40);
        const Lines told = Told();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(note), std::string::npos) << told[0];
    }
}

// An erase the logger does not answer is told, naming the logger: its memory may still be full.
// While the schedule runs, the trace has it instead of a box.
TEST_F(DownloadEndTest, AnEraseTheLoggerDoesNotAnswerIsTold)
{
    static Lines traced;
    SetTraceSink([](const char* text) { traced.emplace_back(text); });
    ShortSlices();
    PeriodicWithErase();
    const std::string note
        = "Logger ID 1 did not answer the erase; its memory may still hold its records.";
    for (const bool scheduled : {false, true}) {
        SCOPED_TRACE(scheduled);
        Fresh(sim);
        sim.SetRecordCount(1, 40);
        g_bScheduleRunning = scheduled;
        traced.clear();
        // The count, the head, the records and the count again come before the erase's reply.
        sim.InjectFault(SimFault::DropReply, FirstRecordLine + 40 + 1);
        Receive();
        EXPECT_TRUE(Erased());
        EXPECT_EQ(Told(), scheduled ? Lines{} : Lines{note});
        EXPECT_TRUE(scheduled || boxes.requests[0].icon == MessageIcon::Warning);
        EXPECT_EQ(std::count(traced.begin(), traced.end(), note + "\r\n"), scheduled ? 1 : 0);
    }
    SetTraceSink(nullptr);
}

} // namespace
