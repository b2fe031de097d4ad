#include "MainWindowFixture.h"

#include <QTest>

#include <algorithm>

namespace {

// The scheduler against the simulated line, on a clock the test sets and a 2 ms tick.
class SchedulerTest : public MainWindowFixture
{
protected:
    static constexpr int WaitMs = 20000;

    void Start(int hour, int minute, std::initializer_list<LoggerRecord> records)
    {
        SetTime(hour, minute);
        CVorlenView::s_nScheduleTickMs = 2; // the fixture puts it back
        OpenConfigurations(records);
        view->SetScheduleClock([this] {
            ++m_clockReads;
            return m_now;
        });
        view->OnBnClickedScheduleStart();
        ASSERT_TRUE(g_bScheduleRunning);
    }
    void SetTime(int h, int m) { m_now = QDateTime(QDate(2026, 12, 6), QTime(h, m, 5)); }
    // Lets the scheduler look at the clock a few more times.
    void LetTicksPass()
    {
        const int until = m_clockReads + 6;
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_clockReads >= until; }, WaitMs));
    }
    long Receives() const { return std::ranges::count(sim.Commands(), "@01,01,memory"); }
    bool WaitForReceives(int count)
    {
        return QTest::qWaitFor(
            [&] { return Receives() >= count && !g_port.m_Serial.IsOpen(); }, WaitMs);
    }

    QDateTime m_now;
    int m_clockReads = 0;
};

// Each configuration due at the minute is received once, in the same tick, without a box.
TEST_F(SchedulerTest, AReceiveAtItsMinuteDownloadsWithoutABox)
{
    ASSERT_TRUE(StartLine({1}, 4));
    Start(1, 0, {Single("Site1", SimComPort, 60), Single("Site2", SimComPort, 30)});
    ASSERT_TRUE(WaitForReceives(2));
    LetTicksPass();
    EXPECT_EQ(Receives(), 2);
    for (const char* file : {"Site1/Site1-01.acc", "Site1/Site1-01.csv", "Site2/Site2-01.csv"})
        EXPECT_TRUE(Exists(file)) << file;
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(g_loggers[0].m_nNextReceive, 120);
    EXPECT_EQ(g_loggers[1].m_nNextReceive, 90);
}

// A receive closes the line it opened, and what its connect enabled goes off with it: Call
// would only light BAD on a closed port.
TEST_F(SchedulerTest, AfterAScheduledReceiveTheLineControlsAreOff)
{
    ASSERT_TRUE(StartLine({1}, 2));
    Start(0, 0, {Single("Site1", SimComPort, 60)});
    ASSERT_TRUE(WaitForReceives(1));
    ExpectScreen({IDC_SCHEDULE_STOP, IDC_VIEW_DATA}, "after the receive");
    view->OnBnClickedScheduleStop();
    const std::set<int> closed{
        IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT, IDC_VIEW_DATA};
    ExpectScreen(closed, "schedule stopped");
    OpenConfigurations({Single("Site1", SimComPort, 60)});
    ExpectScreen(closed, "opened again");
}

TEST_F(SchedulerTest, DelayedReceivesEveryTwoHours)
{
    ASSERT_TRUE(StartLine({1}, 2));
    Start(0, 29, {Single("Site1", SimComPort, 120, 30)});
    LetTicksPass();
    EXPECT_EQ(Receives(), 0);
    SetTime(0, 30);
    ASSERT_TRUE(WaitForReceives(1));
    SetTime(2, 29);
    LetTicksPass();
    EXPECT_EQ(Receives(), 1);
    SetTime(2, 30);
    ASSERT_TRUE(WaitForReceives(2));
    EXPECT_EQ(g_loggers[0].m_nNextReceive, 270);
}

TEST_F(SchedulerTest, AFailedConnectPassesEveryLoggerOverAndClosesThePort)
{
    ASSERT_TRUE(StartLine({4}, 2)); // nobody answers to ID 1
    CSerialCom::SetSliceMs(1);
    Start(0, 0, {Single("Site1", SimComPort, 60)});
    ASSERT_TRUE(QTest::qWaitFor([] { return g_loggers[0].m_nNextReceive == 60; }, WaitMs));
    LetTicksPass();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.Commands(), std::vector<std::string>{"@01,01,address"});
    EXPECT_FALSE(Exists("Site1/Site1-01.acc"));
    EXPECT_TRUE(boxes.requests.empty());
}

// Stop between ticks restores the screen and ends the ticks; an open port keeps it stopped.
TEST_F(SchedulerTest, StopBetweenTicksRestoresTheScreenAndAnOpenPortKeepsItStopped)
{
    ASSERT_TRUE(StartLine({1}, 2));
    Start(5, 1, {Single("Site1", SimComPort, 60)});
    LetTicksPass();
    view->OnBnClickedScheduleStop();
    EXPECT_FALSE(g_bScheduleRunning);
    EXPECT_FALSE(view->IsTimerRunning(0));
    ExpectScreen(
        {IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT, IDC_VIEW_DATA});
    const int reads = m_clockReads;
    QTest::qWait(20);
    EXPECT_EQ(m_clockReads, reads);

    ASSERT_TRUE(OpenPort());
    view->OnBnClickedScheduleStart();
    EXPECT_FALSE(g_bScheduleRunning);
    EXPECT_FALSE(view->IsTimerRunning(0));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Port Open"});
}

} // namespace
