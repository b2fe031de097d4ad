#include "MainWindowFixture.h"

#include "app/ScheduleFlag.h"
#include "app/record/DataFolder.h"
#include "app/record/LoggerTable.h"
#include "link/Port.h"
#include "res/MainScreenIds.h"

#include <QFileInfo>
#include <QTest>

#include <algorithm>

namespace {

// The scheduler against the simulated line, on a clock the test sets and a 2 ms tick.
class SchedulerTest : public MainWindowFixture
{
protected:
    static constexpr int WaitMs = 20000;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        CVorlenView::s_nScheduleTickMs = 2;
    }
    void TearDown() override
    {
        CVorlenView::s_nScheduleTickMs = 1000;
        MainWindowFixture::TearDown();
    }

    LoggerRecord Scheduled(
        const std::string& name, int interval, bool delayOn = false, int delay = 0)
    {
        LoggerRecord record = Single(name, SimComPort);
        record.m_bAutoReceive = 1;
        record.m_nReceiveInterval = interval;
        record.m_bDelayOn = delayOn;
        record.m_nReceiveDelay = delay;
        return record;
    }

    void Start(std::initializer_list<LoggerRecord> records)
    {
        MakeFrame();
        OpenConfigurations(records);
        view->SetScheduleClock([this] {
            ++m_clockReads;
            return m_now;
        });
        view->OnBnClickedScheduleStart();
        ASSERT_TRUE(g_bScheduleRunning);
    }
    void SetTime(int hour, int minute)
    {
        m_now = QDateTime(QDate(2026, 12, 6), QTime(hour, minute, 5));
    }
    // Lets the scheduler look at the clock a few more times.
    void LetTicksPass(int reads = 6)
    {
        const int until = m_clockReads + reads;
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_clockReads >= until; }, WaitMs));
    }
    int Receives(int id = 1) const
    {
        const auto commands = sim.Commands();
        const std::string memory = "@01,0" + std::to_string(id) + ",memory";
        return static_cast<int>(std::count(commands.begin(), commands.end(), memory));
    }
    bool WaitForReceives(int count)
    {
        return QTest::qWaitFor(
            [&] { return Receives() >= count && !g_port.m_Serial.IsOpen(); }, WaitMs);
    }
    static bool Exists(const std::string& path)
    {
        return QFileInfo::exists(QString::fromStdString(g_strDataFolder + path));
    }

    QDateTime m_now;
    int m_clockReads = 0;
};

TEST_F(SchedulerTest, AReceiveAtItsMinuteDownloadsWithoutABox)
{
    ASSERT_TRUE(StartLine({1}, 4));
    SetTime(0, 0);
    Start({Scheduled("Site1", 60)});
    ASSERT_TRUE(WaitForReceives(1));
    LetTicksPass();
    EXPECT_EQ(Receives(), 1); // once for its minute
    EXPECT_TRUE(Exists("Site1/Site1-01.acc"));
    EXPECT_TRUE(Exists("Site1/Site1-01.csv"));
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(g_loggers[0].m_nNextReceive, 60);
}

TEST_F(SchedulerTest, TwoConfigurationsDueTogetherAreReceivedInOneTick)
{
    ASSERT_TRUE(StartLine({1}, 3));
    SetTime(1, 0);
    Start({Scheduled("Site1", 60), Scheduled("Site2", 30)});
    ASSERT_TRUE(QTest::qWaitFor([] { return g_loggers[1].m_nNextReceive == 90; }, WaitMs));
    EXPECT_TRUE(Exists("Site1/Site1-01.csv"));
    EXPECT_TRUE(Exists("Site2/Site2-01.csv"));
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(SchedulerTest, DelayedReceivesEveryTwoHours)
{
    ASSERT_TRUE(StartLine({1}, 2));
    SetTime(0, 29);
    Start({Scheduled("Site1", 120, true, 30)});
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

TEST_F(SchedulerTest, AStartAfterTheHourWaitsForTheNextOne)
{
    ASSERT_TRUE(StartLine({1}, 2));
    SetTime(10, 37);
    Start({Scheduled("Site1", 60)});
    LetTicksPass();
    SetTime(10, 59);
    LetTicksPass();
    EXPECT_EQ(Receives(), 0);
    SetTime(11, 0);
    ASSERT_TRUE(WaitForReceives(1));
}

TEST_F(SchedulerTest, AFailedConnectPassesEveryLoggerOverAndClosesThePort)
{
    ASSERT_TRUE(StartLine({4}, 2)); // nobody answers to ID 1
    CSerialCom::SetSliceMs(1);
    SetTime(0, 0);
    Start({Scheduled("Site1", 60)});
    ASSERT_TRUE(QTest::qWaitFor([] { return g_loggers[0].m_nNextReceive == 60; }, WaitMs));
    LetTicksPass();
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
    EXPECT_EQ(sim.Commands(), (std::vector<std::string>{"@01,01,address"}));
    EXPECT_FALSE(Exists("Site1/Site1-01.acc"));
    EXPECT_TRUE(boxes.requests.empty());
}

TEST_F(SchedulerTest, StopBetweenTicksRestoresTheScreen)
{
    ASSERT_TRUE(StartLine({1}, 2));
    SetTime(5, 1);
    Start({Scheduled("Site1", 60)});
    EXPECT_FALSE(Enabled(IDC_OPEN_LOGGER));
    EXPECT_FALSE(Enabled(IDC_SCHEDULE_START));
    EXPECT_TRUE(Enabled(IDC_SCHEDULE_STOP));
    LetTicksPass();
    view->OnBnClickedScheduleStop();
    EXPECT_FALSE(g_bScheduleRunning);
    EXPECT_FALSE(view->IsTimerRunning(0));
    for (int id : {IDC_OPEN_LOGGER, IDC_CONNECT, IDC_SCHEDULE_START, IDC_CLOSE_LOGGER})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_SCHEDULE_STOP));
    const int reads = m_clockReads;
    QTest::qWait(20);
    EXPECT_EQ(m_clockReads, reads);
}

TEST_F(SchedulerTest, AnOpenPortKeepsTheScheduleStopped)
{
    ASSERT_TRUE(StartLine({1}, 2));
    MakeFrame();
    OpenConfigurations({Scheduled("Site1", 60)});
    ASSERT_TRUE(OpenPort());
    view->OnBnClickedScheduleStart();
    EXPECT_FALSE(g_bScheduleRunning);
    EXPECT_FALSE(view->IsTimerRunning(0));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Port Open"}));
}

} // namespace
