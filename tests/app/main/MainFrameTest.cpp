#include "MainWindowFixture.h"

#include "app/VorlenApp.h"
#include "res/CommandIds.h"
#include "res/IconResources.h"
#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSizeGrip>
#include <QStandardPaths>
#include <QToolBar>

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

// Menu entries and toolbar buttons are the command actions, so enabling reaches them all.
TEST_F(MainFrameTest, TheFixedWindowAndItsCommandActions)
{
    QList<QAction*> actions = frame->ToolBar()->actions();
    for (QAction* popup : frame->menuBar()->actions())
        actions += popup->menu()->actions();
    Ids entries;
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        EXPECT_EQ(action, frame->Command(action->data().toInt()));
        EXPECT_FALSE(action->icon().isNull() && frame->ToolBar()->actions().contains(action));
        entries.insert(action->data().toInt());
    }
    EXPECT_EQ(entries, Ids(AllCommands.begin(), AllCommands.end()));
    for (int id : {128, 338, 339, 341, 343, 346, 347, 348, 362, 363, 364, 365, 366, 367, 368, 369})
        EXPECT_FALSE(LoadResourceIcon(id).isNull()) << id;
    frame->show();
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(view->size(), view->TemplateSize());
    for (const QSizeGrip* grip : frame->findChildren<QSizeGrip*>())
        EXPECT_FALSE(grip->isVisible());
    ModalDriver driver;
    driver.Then([](QWidget* about) {
        EXPECT_TRUE(SaveScreenshot(about, "about"));
        RejectModal(about);
    });
    frame->OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(driver.AllDone());
}

// Said once, at start, so that no save fails unexplained.
TEST(StartUpTest, TheProgramsNameAndADataFolderThatCannotBeMade)
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
    EXPECT_TRUE(QSettings().fileName().endsWith("/Quorbel/Quorbel.conf"));
    app.ExitInstance();
    qputenv("HOME", savedHome);
}

} // namespace
