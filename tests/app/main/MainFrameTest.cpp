#include "MainWindowFixture.h"

#include "res/CommandIds.h"
#include "res/IconResources.h"

#include "support/ModalDriver.h"
#include "support/Screenshot.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

using MainFrameTest = MainWindowFixture;

// The screen's buttons, the menu and the toolbar through the rows of the state table, entered
// as the operator does.
TEST_F(MainFrameTest, ScreenMenuAndToolbarFollowEveryState)
{
    ExpectScreen({IDC_OPEN_LOGGER}, "nothing open");
    ExpectCommands({ID_OPEN_LOGGER, ID_ZIGBEE_SET, ID_APP_EXIT, ID_APP_ABOUT}, "nothing open");

    const std::set<int> closedScreen{
        IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT, IDC_VIEW_DATA};
    const std::set<int> closedCommands{ID_OPEN_LOGGER, ID_CLOSE_LOGGER, ID_CONNECT,
        ID_CONNECT_OPTION, ID_ZIGBEE_SET, ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT};
    OpenConfigurations({Single("A", SimComPort, 60), Single("B")});
    ExpectScreen(closedScreen, "port closed");
    ExpectCommands(closedCommands, "port closed");

    ASSERT_TRUE(StartLine({1}));
    ConnectLine();
    ExpectScreen({IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL, IDC_RECEIVE_DATA, IDC_VIEW_DATA,
                     IDC_DISCONNECT},
        "port open");
    ExpectCommands({ID_DISCONNECT, ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_FORMAT_MEMORY,
                       ID_TIME_SET_CHECK, ID_LOGGER_RESET, ID_VIEW_GRAPH, ID_LOGGER_SETTING,
                       ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT},
        "port open");

    view->DisconnectLogger();
    ExpectScreen(closedScreen, "disconnected");
    ExpectCommands(closedCommands, "disconnected");

    // Between ticks, and while a tick's receive holds the port.
    view->OnBnClickedScheduleStart();
    for (bool receiving : {false, true}) {
        if (receiving) {
            ASSERT_TRUE(OpenPort());
            frame->UpdateCommandUI();
        }
        ExpectScreen({IDC_SCHEDULE_STOP, IDC_VIEW_DATA}, "schedule running");
        ExpectCommands({ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT}, "schedule running");
    }
}

TEST_F(MainFrameTest, ACommandItsRuleRefusesDoesNothing)
{
    OpenConfigurations({Single("A"), Single("B")});
    ASSERT_TRUE(StartLine({1}));
    ASSERT_TRUE(OpenPort()); // behind the frame's back: its actions are still enabled
    ModalDriver driver; // closes any dialog a command wrongly opens
    for (int i = 0; i < 9; ++i)
        driver.Then(RejectModal);
    for (int id : {ID_OPEN_LOGGER, ID_CLOSE_LOGGER, ID_CONNECT, ID_CONNECT_OPTION, ID_ZIGBEE_SET})
        frame->OnCommand(id);
    g_bScheduleRunning = true;
    for (int id : {ID_DISCONNECT, ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_LOGGER_RESET})
        frame->OnCommand(id);
    EXPECT_EQ(driver.StepsDone(), 0);
    EXPECT_TRUE(boxes.requests.empty());
    EXPECT_EQ(g_nLoggerCount, 2);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

TEST_F(MainFrameTest, ConnectOptionRecomputesScheduleStartEvenWithoutSelection)
{
    OpenConfigurations({Single("A", 1, 60)});

    // Edited behind the screen, and no selection: no editor runs, the button follows.
    g_loggers[0].m_bAutoReceive = 0;
    List()->setCurrentRow(-1);
    frame->OnCommand(ID_CONNECT_OPTION);
    EXPECT_FALSE(Enabled(IDC_SCHEDULE_START));

    // With a selection the editor runs on it; closing it refreshes the screen all the same.
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

TEST_F(MainFrameTest, ReceiveDataDownloadsTheSelectedConfigurationOnly)
{
    ASSERT_TRUE(StartLine({1}, 4));
    OpenConfigurations({Single("Other"), Single("Site1", SimComPort)});
    List()->setCurrentRow(1);
    ConnectLine();
    frame->OnCommand(ID_RECEIVE_DATA);
    EXPECT_TRUE(Exists("Site1/Site1-01.csv"));
    EXPECT_FALSE(Exists("Other"));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Data receiving complete!"});
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

TEST_F(MainFrameTest, LeavingClosesAnOpenPortAndHangsUpOnlyAModem)
{
    ASSERT_TRUE(StartLine({1}));
    for (bool modem : {true, false}) {
        LoggerRecord record = Single("Remote", SimComPort);
        record.m_bUseModem = modem ? 1 : 0;
        OpenConfigurations({record});
        ASSERT_TRUE(OpenPort());
        sim.ClearReceived();
        if (modem)
            EXPECT_TRUE(frame->close());
        else
            frame->OnCommand(ID_APP_EXIT);
        EXPECT_FALSE(g_port.m_Serial.IsOpen());
        EXPECT_EQ(sim.Received(), modem ? "+++" : "");
        MakeFrame();
    }
    ASSERT_TRUE(OpenPort());
    frame.reset(); // and so does destroying the frame
    EXPECT_FALSE(g_port.m_Serial.IsOpen());
}

// Menu entries and toolbar buttons are the frame's command actions, so its enabling reaches
// them all; the window is fixed to its form, has its images and its About box.
TEST_F(MainFrameTest, TheFixedWindowItsCommandActionsAndAbout)
{
    const auto commandsOf = [this](const QList<QAction*>& actions) {
        std::set<int> ids;
        for (QAction* action : actions) {
            if (!action->isSeparator()) {
                EXPECT_EQ(action, frame->Command(action->data().toInt()));
                ids.insert(action->data().toInt());
            }
        }
        return ids;
    };
    QList<QAction*> entries;
    for (QAction* popup : frame->menuBar()->actions())
        entries += popup->menu()->actions();
    EXPECT_EQ(commandsOf(entries), std::set<int>(AllCommands.begin(), AllCommands.end()));
    EXPECT_EQ(commandsOf(frame->ToolBar()->actions()),
        (std::set<int>{ID_OPEN_LOGGER, ID_CONNECT, ID_DISCONNECT, ID_RECEIVE_DATA, ID_VIEW_DATA,
            ID_VIEW_GRAPH, ID_LOGGER_SETTING, ID_ZIGBEE_SET}));
    for (QAction* button : frame->ToolBar()->actions())
        EXPECT_TRUE(button->isSeparator() || !button->icon().isNull());

    frame->show();
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(view->size(), view->TemplateSize());
    for (int id : {128, 338, 339, 341, 343, 346, 347, 348, 362, 363, 364, 365, 366, 367, 368, 369})
        EXPECT_FALSE(LoadResourceIcon(id).isNull()) << id;

    QStringList texts;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        for (auto* label : modal->findChildren<QLabel*>())
            texts << label->text();
        SaveScreenshot(modal, "about");
        ClickItem(modal, 1);
    });
    frame->OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(texts.contains("Quorbel, Ver 1.2.1"));
}

} // namespace
