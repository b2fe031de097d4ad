#include "MainWindowFixture.h"

#include "app/VorlenApp.h"
#include "app/controls/ReportListCtrl.h"
#include "app/dialogs/MeasurementDlg.h"
#include "app/dialogs/WaitPopupDlg.h"
#include "res/CommandIds.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QSizeGrip>
#include <QStandardPaths>

#include <algorithm>

namespace {

using MainFrameTest = MainWindowFixture;
using Ids = std::set<int>;

// In the last state the commands that are off do nothing even when reached directly.
TEST_F(MainFrameTest, ScreenMenuAndToolbarFollowEveryState)
{
    const Ids closedScreen{
        IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT, IDC_VIEW_DATA};
    const Ids closedCommands{ID_OPEN_LOGGER, ID_CLOSE_LOGGER, ID_CONNECT, ID_CONNECT_OPTION,
        ID_ZIGBEE_SET, ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT};
    const Ids runningScreen{IDC_SCHEDULE_STOP, IDC_VIEW_DATA};
    const Ids runningCommands{ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT};
    const std::tuple<const char*, std::function<void()>, Ids, Ids> rows[] = {
        {"nothing open", [] {}, {IDC_OPEN_LOGGER},
            {ID_OPEN_LOGGER, ID_ZIGBEE_SET, ID_APP_EXIT, ID_APP_ABOUT}},
        {"port closed",
            [this] {
                OpenConfigurations({Single("A", SimComPort, 60), Single("B")});
            },
            closedScreen, closedCommands},
        {"port open", [this] { ConnectLine(); },
            {IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_RECEIVE_DATA, IDC_VIEW_DATA,
                IDC_DISCONNECT},
            {ID_DISCONNECT, ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_FORMAT_MEMORY, ID_TIME_SET_CHECK,
                ID_LOGGER_RESET, ID_VIEW_GRAPH, ID_LOGGER_SETTING, ID_VIEW_DATA, ID_APP_EXIT,
                ID_APP_ABOUT}},
        {"disconnected", [this] { view->DisconnectLogger(); }, closedScreen, closedCommands},
        {"schedule running", [this] { view->OnBnClickedScheduleStart(); }, runningScreen,
            runningCommands},
        {"a tick's receive holds the port",
            [this] {
                ASSERT_TRUE(OpenPort());
                frame->UpdateCommandUI();
            },
            runningScreen, runningCommands},
    };
    ASSERT_TRUE(StartLine({1}));
    for (const auto& [state, enter, screen, commands] : rows) {
        enter();
        EXPECT_EQ(ScreenOn(), screen) << state;
        EXPECT_EQ(CommandsOn(), commands) << state;
    }
    boxes.requests.clear();
    ModalDriver driver; // closes any dialog a command wrongly opens
    for (int i = 0; i < 9; ++i)
        driver.Then(RejectModal);
    for (int id : AllCommands)
        if (runningCommands.count(id) == 0)
            frame->OnCommand(id);
    EXPECT_EQ(driver.StepsDone(), 0);
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(g_nLoggerCount, 2);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

// Edited behind the screen: the button follows, with or without an editor to close.
TEST_F(MainFrameTest, ConnectOptionRecomputesScheduleStartEvenWithoutSelection)
{
    OpenConfigurations({Single("A", 1, 60)});
    g_loggers[0].m_bAutoReceive = 0;
    List()->setCurrentRow(-1);
    frame->OnCommand(ID_CONNECT_OPTION);
    EXPECT_FALSE(Enabled(IDC_SCHEDULE_START));
    g_loggers[0].m_bAutoReceive = 1;
    g_loggers[0].m_nComPort = 7;
    List()->setCurrentRow(0);
    ModalDriver driver;
    driver.Then(RejectModal);
    frame->OnCommand(ID_CONNECT_OPTION);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_TRUE(Enabled(IDC_SCHEDULE_START));
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 7");
}

// The program's own ways hang up a modem first; Disconnect also puts the lamps out.
TEST_F(MainFrameTest, LeavingTheLineClosesItAndHangsUpOnlyAModem)
{
    ASSERT_TRUE(StartLine({1}));
    const std::tuple<const char*, std::function<void()>, bool> ways[] = {
        {"disconnect", [this] { view->DisconnectLogger(); }, true},
        {"exit", [this] { frame->OnCommand(ID_APP_EXIT); }, true},
        {"close", [this] { EXPECT_TRUE(frame->close()); }, true},
        {"frame destroyed", [this] { frame.reset(); }, false},
    };
    for (const auto& [how, leave, hangsUp] : ways) {
        for (bool modem : {false, true}) {
            LoggerRecord record = Single("Remote", SimComPort);
            record.m_bUseModem = modem ? 1 : 0;
            MakeFrame();
            OpenConfigurations({record});
            ConnectLine();
            view->OnBnClickedCall();
            ASSERT_TRUE(Enabled(IDC_LAMP_GOOD));
            sim.ClearReceived();
            leave();
            EXPECT_FALSE(g_port.m_Serial.IsOpen()) << how;
            EXPECT_EQ(sim.Received().find("+++") != std::string::npos, modem && hangsUp)
                << how << modem;
            const bool disconnect = how == std::string("disconnect");
            EXPECT_EQ(boxes.Texts(), Strings(disconnect ? 1 : 0, "Disconnected to logger!"));
            EXPECT_FALSE(disconnect && Enabled(IDC_LAMP_GOOD));
            boxes.requests.clear();
        }
    }
}

// Said once, at start, so that no save fails unexplained.
TEST(StartUpTest, ADataFolderThatCannotBeMadeIsSaid)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QStandardPaths::setTestModeEnabled(true);
    QFile blocker(home.path() + "/Documents");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    RecordingPresenter boxes;
    CVorlenApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(boxes.Texts(),
        std::vector<std::string>{"The data folder " + QFile::encodeName(home.path()).toStdString()
            + "/Documents/Quorbel/Data/ cannot be written."});
    app.ExitInstance();
    qputenv("HOME", savedHome);
}

using MainScreenTest = MainWindowFixture;

// Closing packs the table and reloads the screen with the first entry current.
TEST_F(MainScreenTest, TheChosenEntryFillsThePanelAndCloseLoggerReloadsIt)
{
    const auto information = [this] {
        return Strings{Text(IDC_QUANTITY), Text(IDC_LOGGER_COUNT), Text(IDC_COM_PORT),
            Text(IDC_NETWORK), Text(IDC_RECEIVE_SCHEDULE), Text(IDC_ERASE_SCHEDULE)};
    };
    LoggerRecord rs485 = Network("Dam", {2, 5}, true, 60);
    rs485.m_nReceiveDelay = 30; // the delay is off: it reads 0
    rs485.m_nReceiveInterval = -1; // typed as 4294967295 in the editor
    LoggerRecord zigbee = Network("Pier", {1, 3, 7}, false, 120, 30);
    zigbee.m_bEraseAfterReceive = 1;
    OpenConfigurations({Single("Tunnel", 4), rs485, zigbee});
    EXPECT_EQ(information(), (Strings{"Single", "1 Nos", "COM 4", "None", "Not used", "Not used"}));
    List()->setCurrentRow(1);
    EXPECT_EQ(information(),
        (Strings{"Multiple (2 Nos)", "2 Nos", "COM 1", "RS485", "4294967295 min, Delay 0 min",
            "Not used"}));
    EXPECT_EQ(Items(IDC_LOGGER_ID_COMBO), (Strings{"02", "05"}));
    NameCombo()->setCurrentIndex(2);
    emit NameCombo()->activated(2);
    EXPECT_EQ(std::pair(List()->currentRow(), g_nCurLogger), std::pair(2, 2));
    EXPECT_EQ(information(),
        (Strings{"Multiple (3 Nos)", "3 Nos", "COM 1", "Zigbee", "120 min, Delay 30 min",
            "Every received"}));
    frame->show();
    EXPECT_TRUE(SaveScreenshot(frame.get(), "main_window"));
    for (const QSizeGrip* grip : frame->findChildren<QSizeGrip*>())
        EXPECT_FALSE(grip->isVisible()); // the window has a fixed size

    List()->setCurrentRow(1);
    view->OnBnClickedCloseLogger();
    EXPECT_EQ(Items(IDC_LOGGER_COMBO), (Strings{"Tunnel", "Pier"}));
    EXPECT_EQ(std::pair(List()->currentRow(), g_nCurLogger), std::pair(0, 0));
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 4");
    for (int i = 0; i < 3; ++i) // the last with nothing left to close
        view->OnBnClickedCloseLogger();
    EXPECT_EQ(g_nLoggerCount, 0);
    EXPECT_TRUE(Items(IDC_LOGGER_LIST).empty());
    EXPECT_EQ(information(), Strings(6));
    EXPECT_EQ(ScreenOn(), std::set<int>{IDC_OPEN_LOGGER});
}

// A network without records: the dialog shows what the scan found; GOOD needs no records.
TEST_F(MainScreenTest, MeasurementScansTheNetworkAndCallLightsTheLamps)
{
    ASSERT_TRUE(StartLine({2, 5}, 0));
    for (int id : {2, 5})
        for (int ch = 0; ch < ChannelCount; ++ch)
            sim.SetChannel(id, ch, {});
    sim.SetChannel(5, 3, {0, 0, 0, 2});
    LoggerRecord network = Network("Dam", {2, 5}, true);
    network.m_nComPort = SimComPort;
    OpenConfigurations({network});
    ConnectLine();
    sim.ClearReceived();
    Strings shown; // the second ID, then the columns shown once it is chosen
    ModalDriver driver;
    driver.Then([](QWidget*) {}).Then([&](QWidget* modal) { // the scan's popup, the dialog
        auto* dlg = qobject_cast<CMeasurementDlg*>(modal);
        ASSERT_NE(dlg, nullptr);
        shown.push_back(dlg->m_cboLogger->itemText(1).toStdString());
        dlg->m_cboLogger->setCurrentIndex(1);
        emit dlg->m_cboLogger->activated(1);
        for (int i = 1; i < dlg->m_list->columnCount(); ++i)
            shown.push_back(dlg->m_list->headerItem()->text(i).toStdString());
        ClickItem(modal, 1004);
    });
    ASSERT_TRUE(Enabled(IDC_MEASUREMENT));
    Click(IDC_MEASUREMENT);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(sim.Commands(), (Strings{"@01,02,channel all", "@01,05,channel all"}));
    EXPECT_EQ(shown, (Strings{"5", "4B"})); // 4B: what the scan found on logger 5

    const auto lampAfterCall = [this](int idIndex) {
        view->ItemAs<QComboBox>(IDC_LOGGER_ID_COMBO)->setCurrentIndex(idIndex);
        sim.ClearReceived();
        view->OnBnClickedCall();
        return sim.Commands().back() + (Enabled(IDC_LAMP_GOOD) ? " GOOD" : "")
            + (Enabled(IDC_LAMP_BAD) ? " BAD" : "");
    };
    EXPECT_EQ(lampAfterCall(1), "@01,05,memory GOOD");
    sim.SetSilent(true);
    CSerialCom::SetSliceMs(1); // no reply to wait for
    EXPECT_EQ(lampAfterCall(0), "@01,02,memory BAD");
    EXPECT_TRUE(boxes.requests.empty());
}

// On a clock the test sets and a 2 ms tick: each due configuration once, without a box.
TEST_F(MainScreenTest, AScheduledReceiveAtItsMinuteDownloadsAndStopEndsTheTicks)
{
    ASSERT_TRUE(StartLine({1}, 4));
    CVorlenView::s_nScheduleTickMs = 2; // the fixture puts it back
    OpenConfigurations({Single("Site1", SimComPort, 60), Single("Site2", SimComPort, 30)});
    int clockReads = 0;
    view->SetScheduleClock([&clockReads] {
        ++clockReads;
        return QDateTime(QDate(2026, 12, 6), QTime(1, 0, 5));
    });
    view->OnBnClickedScheduleStart();
    ASSERT_TRUE(g_bScheduleRunning);
    const auto receives = [this] { return std::ranges::count(sim.Commands(), "@01,01,memory"); };
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return receives() >= 2 && !g_port.m_Serial.IsOpen(); }, 20000));
    const int until = clockReads + 6; // a few more looks at the clock
    ASSERT_TRUE(QTest::qWaitFor([&] { return clockReads >= until; }, 20000));
    EXPECT_EQ(receives(), 2);
    for (const char* file : {"Site1/Site1-01.acc", "Site1/Site1-01.csv", "Site2/Site2-01.csv"})
        EXPECT_TRUE(Exists(file)) << file;
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(
        std::pair(g_loggers[0].m_nNextReceive, g_loggers[1].m_nNextReceive), std::pair(120, 90));
    EXPECT_EQ(ScreenOn(), (std::set<int>{IDC_SCHEDULE_STOP, IDC_VIEW_DATA}));
    view->OnBnClickedScheduleStop();
    EXPECT_FALSE(g_bScheduleRunning || view->IsTimerRunning(0));
}

// A connect that fails costs that minute's receive only: no box, the port closed, no retry.
TEST_F(MainScreenTest, AScheduledReceiveWhoseConnectFailsClosesThePortQuietly)
{
    ASSERT_TRUE(StartLine({4}, 2)); // nobody answers to ID 1
    CVorlenView::s_nScheduleTickMs = 2;
    OpenConfigurations({Single("Site1", SimComPort, 60)});
    int clockReads = 0;
    view->SetScheduleClock([&clockReads] {
        ++clockReads;
        return QDateTime(QDate(2026, 12, 6), QTime(0, 0, 5));
    });
    view->OnBnClickedScheduleStart();
    const auto tried = [this] { return !sim.Commands().empty() && !g_port.m_Serial.IsOpen(); };
    ASSERT_TRUE(QTest::qWaitFor(tried, 20000));
    const int until = clockReads + 6;
    ASSERT_TRUE(QTest::qWaitFor([&] { return clockReads >= until; }, 20000));
    EXPECT_EQ(sim.Commands(), std::vector<std::string>{"@01,01,address"});
    EXPECT_EQ(g_loggers[0].m_nNextReceive, 60);
    EXPECT_FALSE(Exists("Site1/Site1-01.acc"));
    EXPECT_TRUE(boxes.requests.empty());
    view->OnBnClickedScheduleStop();
}

} // namespace
