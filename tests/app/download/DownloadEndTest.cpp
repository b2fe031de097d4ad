// What a logger sends besides its counted records, and what becomes of its raw file meanwhile,
// decide whether its memory may go; each is told as what it is.

#include "DownloadFixture.h"

#include "platform/DebugTrace.h"

#include "support/ModalDriver.h"

#include <QFile>

namespace {

using loggersim::SimFault;
using DownloadEndTest = DownloadFixture;

// One closing line after the records is the logger's own end and the memory goes; a second, a
// record the count left out, or a line cut inside a record's head keeps it, the last told as what
// it is, not as a second closing line. The raw file has whatever came, a closing line whole.
TEST_F(DownloadEndTest, OneClosingLineIsTheLoggersOwnEnd)
{
    ShortSlices();
    PeriodicWithErase();
    const Lines records = sim.Records(1);
    std::string uncounted = records.back();
    uncounted.replace(uncounted.size() - 6, 6, "999999");
    const std::string cutInHead = "Logger ID 1: a damaged line came with its 40 counted records; "
                                  "it may be a record, so its memory was kept.";
    // The closing lines; what the raw file keeps of them; whether the memory goes; the note.
    for (const auto& [closing, kept, erased, note] : {
             std::tuple{Lines{"data load end"}, Lines{"@01,01,data load end"}, true, Complete},
             std::tuple{Lines{"DL:" + records.back()}, Lines{records.back()}, true, Complete},
             std::tuple{Lines{"data load end", "ready"},
                 Lines{"@01,01,data load end", "@01,01,ready"}, false, MoreThanCounted},
             std::tuple{Lines{"DL:" + uncounted}, Lines{uncounted}, false, MoreThanCounted},
             std::tuple{Lines{"D", "data load end"}, Lines{"@01,01,D", "@01,01,data load end"},
                 false, cutInHead},
         }) {
        SCOPED_TRACE(closing.front());
        Fresh(sim);
        sim.SetRecordCount(1, 40);
        sim.SetClosingLines(1, closing);
        Receive();
        Lines raw = records;
        raw.insert(raw.end(), kept.begin(), kept.end());
        EXPECT_EQ(FileLines(Acc(1)), raw);
        EXPECT_EQ(Outcome(), std::tuple(erased, erased ? 0 : 40, Lines{note}));
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
    // A record the line repeats and another it drops: the missing one is told beside the repeat.
    Fresh(sim);
    Record().m_bEraseAfterReceive = 1;
    sim.InjectFault(SimFault::Repeat, FirstRecordLine + 10);
    sim.InjectFault(SimFault::DropReply, FirstRecordLine + 20);
    Receive();
    EXPECT_EQ(Outcome(),
        std::tuple(false, 40,
            Lines{"Logger ID 1 sent 39 different records of the 40 it counted, one of them twice: "
                  "1 record may not have arrived; its memory was kept."}));
}

// A logger on a slow radio hop pauses longer than a second before records. Before an erase the
// line is given a whole reply time-out, so the records past a count that says too few in both
// queries still come, and keep the memory; with the count right, the memory goes once all came.
TEST_F(DownloadEndTest, APauseOverASecondBeforeAnEraseIsNoEnd)
{
    ShortSlices(); // while a line is held back, the program's own 100 ms slices
    constexpr int PauseMs = 1500; // half as long again as the second that ends a stream
    PeriodicWithErase();
    // Records held, the count both queries give, the paused records; whether the memory goes.
    for (const auto& [held, shown, from, paused, erased] : {std::tuple{40, 38, 38, 2, false},
             std::tuple{40, -1, 39, 1, true}, std::tuple{2, -1, 0, 2, true}}) {
        SCOPED_TRACE(FormatString("%d of %d counted, paused from %d", shown, held, from));
        Fresh(sim);
        sim.SetRecordCount(1, held);
        sim.SetCountShown(1, shown);
        sim.SetRecordPause(1, from, paused, PauseMs);
        const Lines records = sim.Records(1);
        Receive();
        EXPECT_EQ(FileLines(Acc(1)), records);
        EXPECT_EQ(Outcome(),
            erased ? std::tuple(true, 0, Lines{Complete})
                   : std::tuple(false, held, Lines{MoreThanCounted}));
    }
}

// With a count one too low in both queries, a record damaged on the line (overlong, split by a
// NUL, all junk) first, in the middle or last may be the record the count left out: the places
// balance, but the memory stays. Last of all, it or a record cut short is no closing line either.
// The raw file has every other record, and the damaged lines as they came.
TEST_F(DownloadEndTest, ADamagedRecordIsNeverTakenForSomethingElse)
{
    ShortSlices();
    PeriodicWithErase();
    const Lines records = sim.Records(1);
    const auto told = [](int lines) {
        return lines == 1 ? std::string("Logger ID 1: a damaged line came with its 39 counted "
                                        "records; it may be a record, so its memory was kept.")
                          : FormatString("Logger ID 1: %d damaged lines came with its 39 counted "
                                         "records; they may be records, so its memory was kept.",
                              lines);
    };
    // The fault; the lines it makes of the record.
    for (const auto& [fault, lines] : {std::pair{SimFault::CutLine, 1},
             std::pair{SimFault::LongLine, 1}, std::pair{SimFault::HugeLine, 1},
             std::pair{SimFault::NulByte, 2}, std::pair{SimFault::Garbage, 1}}) {
        // A record cut short ends its reply: only the last one leaves the stream whole.
        for (const int at : fault == SimFault::CutLine ? std::vector{39} : std::vector{0, 20, 39}) {
            SCOPED_TRACE(FormatString("fault %d at %d", static_cast<int>(fault), at));
            Fresh(sim);
            sim.SetRecordCount(1, 40);
            sim.SetCountShown(1, 39);
            sim.InjectFault(fault, FirstRecordLine + at);
            Receive();
            Lines raw = FileLines(Acc(1));
            ASSERT_EQ(raw.size(), 39u + static_cast<size_t>(lines));
            EXPECT_NE(raw[static_cast<size_t>(at)], records[static_cast<size_t>(at)]);
            raw.erase(raw.begin() + at, raw.begin() + at + lines);
            Lines others = records;
            others.erase(others.begin() + at);
            EXPECT_EQ(raw, others);
            const auto [erased, held, box] = Outcome();
            EXPECT_EQ(std::pair(erased, held), std::pair(false, 40));
            // A record split in two in the middle takes its place's two reads: the place counts
            // as missing, and the record after the count as more than counted.
            if (lines == 1 || at == 39)
                EXPECT_EQ(box, Lines{told(lines)});
            else
                EXPECT_EQ(box, Lines{OneMissing + "\n" + MoreThanCounted});
        }
    }
}

// A record that comes after its place was given up in silence has arrived, late: it is not told
// missing nor beyond the count, and with every counted record on disk the memory goes. A count one
// higher keeps it, told as what it is.
TEST_F(DownloadEndTest, ARecordThatComesLateIsNoMissingOne)
{
    CSerialCom::SetSliceMs(1);
    PeriodicWithErase();
    const Lines records = sim.Records(1);
    // The count both queries give, erase; whether the memory goes, what is told.
    for (const auto& [shown, erase, erased, told] : {std::tuple{-1, true, true, Complete},
             std::tuple{-1, false, false, Complete}, std::tuple{41, true, false, OneMissing}}) {
        SCOPED_TRACE(FormatString("count %d, erase %d", shown, erase));
        Fresh(sim);
        sim.SetRecordCount(1, 40);
        sim.SetCountShown(1, shown);
        Record().m_bEraseAfterReceive = erase;
        sim.SetRecordPause(1, 20, 1, 600'000); // held until its place has been given up
        ModalDriver driver;
        driver.Then([this](QWidget* dialog) {
            When(
                dialog,
                [this] {
                    const Lines raw = FileLines(Acc(1));
                    return raw.size() > 20 && raw[20].empty();
                },
                [this](QWidget*) { sim.SendHeldLines(); });
        });
        Receive();
        Lines raw = records;
        raw.insert(raw.begin() + 20, ""); // the place given up
        EXPECT_EQ(FileLines(Acc(1)), raw);
        EXPECT_EQ(Outcome(), std::tuple(erased, erased ? 0 : 40, Lines{told}));
    }
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
    const std::pair<const char*, std::function<bool()>> changes[]
        = {{"emptied", [acc] { return QFile::resize(acc, 0); }},
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

// Another program may empty or delete the raw file at any step: as "data load" goes out, or while
// the logger is counted again before its erase, that count's wait included. The file is read back
// after that count, right before "memory init": the logger it belongs to keeps its memory, alone
// or as the second of three, whose others are read and erased as usual.
TEST_F(DownloadEndTest, ARawFileChangedAtAnyCommandBeforeTheEraseKeepsTheMemory)
{
    ShortSlices();
    sim.SetLoggers({1, 2, 3});
    for (const int id : {1, 2, 3})
        Record().m_units[id - 1].m_schedule.m_nScheduleMode = SchedulePeriodic;
    Record().m_bEraseAfterReceive = 1;
    // The logger; the command and its time that the change comes with; emptied or deleted.
    const std::tuple<int, const char*, int, bool> changes[]
        = {{1, "memory", 2, true}, {1, "memory", 2, false}, {1, "data load", 1, false},
            {2, "memory", 2, true}, {2, "memory", 2, false}};
    for (const auto& [id, word, nth, emptied] : changes) {
        SCOPED_TRACE(
            FormatString("logger %d, %s %d, %s", id, word, nth, emptied ? "emptied" : "deleted"));
        Fresh(sim);
        const bool network = id > 1;
        Record().m_bSingle = !network;
        Record().m_bLoggerUsed[0] = Record().m_bLoggerUsed[1] = Record().m_bLoggerUsed[2] = network;
        for (const int logger : {1, 2, 3})
            sim.SetRecordCount(logger, 40);
        const QString acc = QString::fromStdString(Acc(id));
        const std::string command = FormatString("@01,%02d,%s", id, word);
        // The hook runs on the simulator's thread, alone.
        int seen = 0;
        sim.SetCommandHook([&, acc, command](const std::string& received) {
            if (received == command && ++seen == nth)
                emptied ? QFile::resize(acc, 0) : QFile::remove(acc);
        });
        Receive();
        sim.SetCommandHook(nullptr);
        EXPECT_EQ(seen, nth);
        for (const int logger : {1, 2, 3})
            EXPECT_EQ(sim.RecordCount(logger), logger == id || !network ? 40 : 0) << logger;
        // Deleted before the records came, the file leaves nothing to build the table from.
        const std::string table = nth == 1
            ? FormatString("The table file %s could not be written.\n", Csv(id).c_str())
            : "";
        EXPECT_EQ(Told(),
            Lines{table
                + FormatString("Logger ID %d: the raw file %s no longer holds every record of "
                               "this download; its memory was kept.",
                    id, Acc(id).c_str())});
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
