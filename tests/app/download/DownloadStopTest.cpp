// The operator may stop a download; a line that goes away at any moment never costs a record.

#include "DownloadFixture.h"

#include "platform/DebugTrace.h"

#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QAbstractButton>
#include <QTest>

#include <set>

namespace {

using loggersim::SimFault;
using DownloadStopTest = DownloadFixture;

QAbstractButton* Cancel(QWidget* dialog)
{
    for (auto* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->property("controlId").toInt() == 1004)
            return button;
    }
    return nullptr;
}

// Presses Esc once the line has taken in count times the command.
void StopAfter(ModalDriver& driver, loggersim::LoggerSim& line, const char* command, long count = 1)
{
    driver.Then([&line, command, count](QWidget* dialog) {
        const auto sent = [&line, command, count] {
            const auto all = line.Commands();
            return std::count(all.begin(), all.end(), command) >= count;
        };
        When(dialog, sent, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    });
}

// Cancel, Esc and the close box each stop the download after the record being read: the "stop" box,
// the table built from what arrived, no erase, no further logger, no closing box.
TEST_F(DownloadStopTest, EveryWayOfAskingStopsAfterTheRecordBeingRead)
{
    ShortSlices();
    SetUpNetwork(sim);
    sim.SetPaced(true);
    const auto click = [](QWidget* dialog) {
        QAbstractButton* cancel = Cancel(dialog);
        ASSERT_TRUE(cancel && cancel->isVisible());
        EXPECT_TRUE(SaveScreenshot(dialog, "data_receive"));
        QTest::mouseClick(cancel, Qt::LeftButton);
    };
    const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {{"Cancel", click},
        {"Esc", [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
        {"close box", [](QWidget* dialog) { dialog->close(); }}};
    for (const auto& [name, ask] : ways) {
        SCOPED_TRACE(name);
        Fresh(sim);
        bool visibleBeforeStart = true;
        ModalDriver driver;
        const auto tenIn = [this] { return FileLines(Acc(1)).size() >= 10; }; // on disk
        driver.Then([&](QWidget* dialog) {
            visibleBeforeStart = Cancel(dialog)->isVisible();
            When(dialog, tenIn, ask);
        });
        Receive();
        EXPECT_FALSE(visibleBeforeStart);
        const auto raw = FileLines(Acc(1));
        EXPECT_GT(raw.size(), 0u);
        EXPECT_LT(raw.size(), 40u);
        EXPECT_GE(FileLines(Csv(1)).size(), 2u);
        EXPECT_FALSE(Sent("@01,02,memory"));
        EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{"stop"}));
        // The logger streams on after a stop; the next case starts once the rest has gone by.
        sim.SetPaced(false);
        ASSERT_TRUE(QTest::qWaitFor([this] { return sim.WaitUntilSent(0); }, WaitMs));
        sim.SetPaced(true);
    }
}

// A stop asked for as the records start, or while the logger is counted before its erase, erases
// nothing and adds no note.
TEST_F(DownloadStopTest, AStopBeforeTheEraseErasesNothing)
{
    PeriodicWithErase();
    sim.SetReplyDelay(50); // the reply is waited for, well within its time-out
    for (const auto& [command, count] :
        {std::pair{"@01,01,data load", 1L}, std::pair{"@01,01,memory", 2L}}) {
        SCOPED_TRACE(command);
        Fresh(sim);
        ModalDriver driver;
        StopAfter(driver, sim, command, count);
        Receive();
        EXPECT_EQ(Outcome(), std::tuple(false, 40, Lines{"stop"}));
    }
    EXPECT_EQ(FileLines(Acc(1)), sim.Records(1));
}

// Wherever the line goes away the download stops there and says so, never "complete"; every note
// gathered reaches the operator however it ends (a lost line, a stop, a raw file that cannot be
// written), and while the schedule runs the trace has them.
TEST_F(DownloadStopTest, EveryNoteReachesTheOperatorHoweverTheDownloadEnds)
{
    static Lines traced;
    SetTraceSink([](const char* text) { traced.emplace_back(text); });
    const std::string rawFailed = FormatString(
        "Cannot write the data file %s; the logger's memory was kept.", Acc(2).c_str());
    using End = std::function<void(loggersim::LoggerSim&, ModalDriver&)>;
    const auto vanishAt = [](int at) -> End {
        return [at](loggersim::LoggerSim& line, ModalDriver&) {
            line.InjectFault(SimFault::Vanish, at);
        };
    };
    const std::string secondNotRead = "Logger ID 2 was not read.";
    // How it ends; whether logger 1 misses a record (and so keeps its memory); the box.
    const std::tuple<const char*, End, bool, Lines> cases[] = {
        // Logger 1's count (0), its count again (42), memory init (43); logger 2's count (44).
        {"line gone at 0", vanishAt(0), false, {LineGoneAtCount(1) + "\n" + secondNotRead}},
        {"line gone at 42", vanishAt(42), false, {LineGoneBeforeErase(1) + "\n" + secondNotRead}},
        {"line gone at 43", vanishAt(43), false, {LineGoneInErase(1) + "\n" + secondNotRead}},
        {"line gone at 44", vanishAt(44), false, {LineGoneAtCount(2)}},
        {"line gone at logger 2's count", vanishAt(42), true,
            {LineGoneAtCount(2) + "\n" + OneMissing}},
        {"stop",
            [](loggersim::LoggerSim& line, ModalDriver& driver) {
                line.SetPaced(true);
                StopAfter(driver, line, "@01,02,data load");
            },
            true, {"stop", OneMissing}},
        {"raw file not written",
            [this](loggersim::LoggerSim&, ModalDriver&) {
                ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Acc(2))));
            },
            true, {rawFailed + "\n" + OneMissing}},
        {"line gone while the schedule runs",
            [vanishAt](loggersim::LoggerSim& line, ModalDriver& driver) {
                g_bScheduleRunning = true;
                vanishAt(42)(line, driver);
            },
            true, {}}};
    for (const auto& [how, end, missing, told] : cases) {
        SCOPED_TRACE(how);
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(Attach(line));
        Fresh(line);
        SetUpNetwork(line);
        if (missing)
            line.InjectFault(SimFault::Garbage, FirstRecordLine + 5);
        ModalDriver driver;
        end(line, driver);
        traced.clear();
        Receive();
        EXPECT_EQ(Told(), told);
        EXPECT_NE(g_port.m_Serial.IsOpen(), line.Vanished());
        EXPECT_EQ(line.RecordCount(2), 40);
        if (g_bScheduleRunning) {
            for (const std::string& text : {LineGoneAtCount(2), OneMissing})
                EXPECT_EQ(std::count(traced.begin(), traced.end(), text + "\r\n"), 1) << text;
        }
        g_bScheduleRunning = false;
        line.Stop();
    }
    SetTraceSink(nullptr);
}

// A line gone names the logger it went away with and the step, which says what its memory holds,
// and the loggers not read: here the second of three, at its count, amid its records, at its
// erase and after it.
TEST_F(DownloadStopTest, ALineGoneIsToldWithItsLoggerItsStepAndTheLoggersNotRead)
{
    static Lines traced;
    SetTraceSink([](const char* text) { traced.emplace_back(text); });
    // Logger 1 holds nothing and answers its count alone; logger 2's reply lines follow: its
    // count, the head of data load, 40 records, its count again and the erase.
    constexpr int Logger2 = 1;
    const std::string notRead3 = "Logger ID 3 was not read.";
    const std::string afterErase2 = "The line went away after logger ID 2's memory was erased; all "
                                    "its records are on disk.";
    // The reply line the line goes away in (-1: once logger 2's erase was answered); the box;
    // whether logger 2 is erased.
    const std::tuple<int, Lines, bool> cases[]
        = {{0, {LineGoneAtCount(1) + "\nLogger IDs 2 and 3 were not read."}, false},
            {Logger2, {LineGoneAtCount(2) + "\n" + notRead3}, false},
            {Logger2 + FirstRecordLine + 20, {LineGoneInRecords(2) + "\n" + notRead3}, false},
            {Logger2 + FirstRecordLine + 40, {LineGoneBeforeErase(2) + "\n" + notRead3}, false},
            {Logger2 + FirstRecordLine + 41, {LineGoneInErase(2) + "\n" + notRead3}, true},
            {-1, {afterErase2 + "\n" + notRead3}, true}};
    for (const auto& [at, told, erased2] : cases) {
        SCOPED_TRACE(at);
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(Attach(line));
        Fresh(line);
        SetUpNetwork(line);
        line.SetLoggers({1, 2, 3});
        line.SetRecordCount(1, 0);
        Record().m_bLoggerUsed[2] = 1;
        Record().m_units[2].m_schedule.m_nScheduleMode = SchedulePeriodic;
        ModalDriver driver;
        traced.clear();
        if (at >= 0) {
            line.InjectFault(SimFault::Vanish, at);
        } else {
            // Pulled once the erase has been answered, while the link reads what may follow it.
            driver.Then([&line](QWidget* dialog) {
                const auto drained = [] {
                    const auto erase = std::find(traced.begin(), traced.end(),
                        std::string("Send [@01,02,memory init\r]\r\n"));
                    return std::find(erase, traced.end(), std::string("Send []\r\n"))
                        != traced.end();
                };
                When(dialog, drained, [&line](QWidget*) { line.Stop(); });
            });
        }
        Receive();
        EXPECT_EQ(Told(), told);
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_EQ(line.RecordCount(2) == 0, erased2);
        EXPECT_EQ(line.RecordCount(3), 40);
        line.Stop();
    }
    SetTraceSink(nullptr);
}

// The line pulled at any step while a logger repeats, stops, floods or counts too few: a logger is
// erased only when all its records are on disk, and only a download that lost nothing is complete.
TEST_F(DownloadStopTest, ALinePulledAtAnyMomentNeverCostsARecord)
{
    // Reply lines per logger: its count, the head of data load, 40 records, its count again and
    // the erase; logger 2's come after logger 1's. A line never reached pulls nothing.
    constexpr int Logger2 = 44;
    constexpr int Never = 1000;
    enum Fault
    {
        None,
        Repeat,
        EndReply,
        Flood,
        LowCount
    };
    struct Case
    {
        Fault fault;
        int id; // the logger it hits
        int record;
        int pulledAt; // the reply line the line goes away in
        bool erased1;
        bool erased2;
    };
    const Case cases[] = {{Repeat, 1, 39, Never, true, true},
        {Repeat, 2, 0, Logger2 + FirstRecordLine + 20, true, false},
        {EndReply, 2, 20, Never, true, false},
        {Flood, 2, 10, Logger2 + FirstRecordLine + 30, true, false},
        {LowCount, 2, 20, Logger2 + FirstRecordLine + 30, true, false},
        {None, 1, 0, FirstRecordLine + 40, false, false}, // logger 1's count before its erase
        {None, 1, 0, FirstRecordLine + 41, true, false}, // its erase
        {None, 1, 0, FirstRecordLine + 10, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatString("fault %d at logger %d record %d, line gone at %d", c.fault, c.id,
            c.record, c.pulledAt));
        loggersim::LoggerSim line(DefaultOptions());
        ASSERT_TRUE(Attach(line));
        Fresh(line);
        SetUpNetwork(line);
        line.SetPaced(c.fault != Flood); // a flood at the line's pace takes minutes
        const int at = (c.id - 1) * Logger2 + FirstRecordLine + c.record;
        if (c.fault == LowCount)
            line.SetCountShown(c.id, c.record);
        else if (c.fault != None)
            line.InjectFault(c.fault == Repeat ? SimFault::Repeat
                    : c.fault == EndReply      ? SimFault::EndReply
                                               : SimFault::Flood,
                at);
        const Lines records[] = {line.Records(1), line.Records(2)};
        line.InjectFault(SimFault::Vanish, c.pulledAt);
        Receive();
        EXPECT_EQ(std::pair(line.RecordCount(1) == 0, line.RecordCount(2) == 0),
            std::pair(c.erased1, c.erased2));
        for (int logger = 1; logger <= 2; ++logger) {
            if (line.RecordCount(logger) == 40)
                continue; // kept
            const auto raw = FileLines(Acc(logger));
            const std::set<std::string> onDisk(raw.begin(), raw.end());
            for (const std::string& stored : records[logger - 1])
                ASSERT_EQ(onDisk.count(stored), 1u) << "logger " << logger << " erased without it";
        }
        const Lines texts = Told();
        EXPECT_EQ(texts == Lines{Complete}, c.erased1 && c.erased2) << texts.front();
        // Once its reply line was sent, the link sees the line go, at the latest from the event
        // loop.
        EXPECT_TRUE(line.LinesQueued() <= c.pulledAt
            || QTest::qWaitFor([] { return !g_port.m_Serial.IsOpen(); }, WaitMs));
        line.Stop();
    }
}

} // namespace
