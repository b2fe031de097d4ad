#include "MainWindowFixture.h"

#include <algorithm>

namespace {

// The scheduler against the simulated line, on a clock the test sets and a 2 ms tick.
class SchedulerTest : public MainWindowFixture
{
protected:
    static constexpr int WaitMs = 20000;

    void Start(int hour, std::initializer_list<LoggerRecord> records)
    {
        CVorlenView::s_nScheduleTickMs = 2; // the fixture puts it back
        OpenConfigurations(records);
        view->SetScheduleClock([this, hour] {
            ++m_clockReads;
            return QDateTime(QDate(2026, 12, 6), QTime(hour, 0, 5));
        });
        view->OnBnClickedScheduleStart();
        ASSERT_TRUE(g_bScheduleRunning);
    }
    // Lets the scheduler look at the clock a few more times.
    void LetTicksPass()
    {
        const int until = m_clockReads + 6;
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_clockReads >= until; }, WaitMs));
    }

    int m_clockReads = 0;
};

// Each due configuration once, in the same tick; an open port keeps the schedule off.
TEST_F(SchedulerTest, AReceiveAtItsMinuteDownloadsWithoutABoxAndStopEndsTheTicks)
{
    ASSERT_TRUE(StartLine({1}, 4));
    Start(1, {Single("Site1", SimComPort, 60), Single("Site2", SimComPort, 30)});
    const auto receives = [this] { return std::ranges::count(sim.Commands(), "@01,01,memory"); };
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return receives() >= 2 && !g_port.m_Serial.IsOpen(); }, WaitMs));
    LetTicksPass();
    EXPECT_EQ(receives(), 2);
    for (const char* file : {"Site1/Site1-01.acc", "Site1/Site1-01.csv", "Site2/Site2-01.csv"})
        EXPECT_TRUE(Exists(file)) << file;
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(
        std::pair(g_loggers[0].m_nNextReceive, g_loggers[1].m_nNextReceive), std::pair(120, 90));
    EXPECT_EQ(ScreenOn(), (std::set<int>{IDC_SCHEDULE_STOP, IDC_VIEW_DATA}));
    view->OnBnClickedScheduleStop();
    EXPECT_FALSE(g_bScheduleRunning || view->IsTimerRunning(0));
    const std::set<int> closed{
        IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT, IDC_VIEW_DATA};
    EXPECT_EQ(ScreenOn(), closed) << "schedule stopped";
    OpenConfigurations({Single("Site1", SimComPort, 60)});
    EXPECT_EQ(ScreenOn(), closed) << "opened again";
    ASSERT_TRUE(OpenPort());
    view->OnBnClickedScheduleStart();
    EXPECT_FALSE(g_bScheduleRunning || view->IsTimerRunning(0));
    EXPECT_EQ(boxes.Texts(), Strings{"Port Open"});
}

TEST_F(SchedulerTest, AFailedConnectPassesEveryLoggerOverAndClosesThePort)
{
    ASSERT_TRUE(StartLine({4}, 2)); // nobody answers to ID 1
    CSerialCom::SetSliceMs(1);
    Start(0, {Single("Site1", SimComPort, 60)});
    ASSERT_TRUE(QTest::qWaitFor([] { return g_loggers[0].m_nNextReceive == 60; }, WaitMs));
    LetTicksPass();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.Commands(), Strings{"@01,01,address"});
    EXPECT_FALSE(Exists("Site1/Site1-01.acc"));
    EXPECT_TRUE(boxes.requests.empty());
}

} // namespace
