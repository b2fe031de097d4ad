#include "MainWindowFixture.h"

#include "app/CommandEnabling.h"
#include "app/ScheduleFlag.h"
#include "app/record/LoggerTable.h"
#include "link/Port.h"
#include "res/CommandIds.h"
#include "res/MainScreenIds.h"

#include "support/ModalDriver.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include <set>
#include <vector>

namespace {

const std::vector<int> AllCommands{ID_OPEN_LOGGER, ID_CLOSE_LOGGER, ID_APP_EXIT, ID_CONNECT,
    ID_CONNECT_OPTION, ID_DISCONNECT, ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_FORMAT_MEMORY,
    ID_TIME_SET_CHECK, ID_LOGGER_RESET, ID_VIEW_DATA, ID_VIEW_GRAPH, ID_LOGGER_SETTING,
    ID_ZIGBEE_SET, ID_APP_ABOUT};

const std::set<int> LineCommands{ID_DISCONNECT, ID_RECEIVE_DATA, ID_MEMORY_CHECK, ID_FORMAT_MEMORY,
    ID_TIME_SET_CHECK, ID_LOGGER_RESET, ID_VIEW_GRAPH, ID_LOGGER_SETTING};

std::set<int> EnabledIn(const CommandState& state)
{
    std::set<int> enabled;
    for (int id : AllCommands) {
        if (IsCommandEnabled(id, state))
            enabled.insert(id);
    }
    return enabled;
}

TEST(CommandRulesTest, NothingOpenOffersOnlyOpenZigbeeExitAndAbout)
{
    EXPECT_EQ(EnabledIn({false, false, false}),
        (std::set<int>{ID_OPEN_LOGGER, ID_ZIGBEE_SET, ID_APP_EXIT, ID_APP_ABOUT}));
}

TEST(CommandRulesTest, OpenConfigurationsWithThePortClosed)
{
    EXPECT_EQ(EnabledIn({false, false, true}),
        (std::set<int>{ID_OPEN_LOGGER, ID_CLOSE_LOGGER, ID_CONNECT, ID_CONNECT_OPTION,
            ID_ZIGBEE_SET, ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT}));
}

TEST(CommandRulesTest, AnOpenPortOffersTheLineCommandsOnly)
{
    std::set<int> expected = LineCommands;
    expected.insert({ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT});
    EXPECT_EQ(EnabledIn({false, true, true}), expected);
}

TEST(CommandRulesTest, TheRunningScheduleLeavesDataExitAndAbout)
{
    EXPECT_EQ(
        EnabledIn({true, false, true}), (std::set<int>{ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT}));
    EXPECT_EQ(
        EnabledIn({true, true, true}), (std::set<int>{ID_VIEW_DATA, ID_APP_EXIT, ID_APP_ABOUT}));
    EXPECT_EQ(EnabledIn({true, false, false}), (std::set<int>{ID_APP_EXIT, ID_APP_ABOUT}));
}

class FrameEnablingTest : public MainWindowFixture
{
protected:
    // Every command's menu entry and toolbar button agrees with the rule in the present state,
    // and so do the screen's three buttons that follow the frame.
    void ExpectRulesHold()
    {
        const CommandState state = CurrentCommandState();
        for (int id : AllCommands)
            EXPECT_EQ(CommandEnabled(id), IsCommandEnabled(id, state)) << "command " << id;
        EXPECT_EQ(Enabled(IDC_RECEIVE_DATA), IsCommandEnabled(ID_RECEIVE_DATA, state));
        EXPECT_EQ(Enabled(IDC_DISCONNECT), IsCommandEnabled(ID_DISCONNECT, state));
        EXPECT_EQ(Enabled(IDC_VIEW_DATA), IsCommandEnabled(ID_VIEW_DATA, state));
    }
};

TEST_F(FrameEnablingTest, MenuToolbarAndScreenFollowTheRulesInEveryState)
{
    MakeFrame();
    ExpectRulesHold();
    EXPECT_FALSE(CommandEnabled(ID_VIEW_DATA));
    EXPECT_FALSE(Enabled(IDC_VIEW_DATA));

    OpenConfigurations({Single("A", SimComPort), Single("B")});
    ExpectRulesHold();
    EXPECT_TRUE(CommandEnabled(ID_CONNECT));
    EXPECT_TRUE(Enabled(IDC_VIEW_DATA));

    ASSERT_TRUE(StartLine({1}));
    ConnectLine();
    ExpectRulesHold();
    EXPECT_TRUE(CommandEnabled(ID_DISCONNECT));
    EXPECT_TRUE(Enabled(IDC_RECEIVE_DATA));
    EXPECT_FALSE(CommandEnabled(ID_OPEN_LOGGER));

    g_bScheduleRunning = true;
    frame->UpdateCommandUI();
    ExpectRulesHold();
    EXPECT_FALSE(Enabled(IDC_DISCONNECT));
    EXPECT_TRUE(Enabled(IDC_VIEW_DATA));
}

TEST_F(FrameEnablingTest, RulesAreAppliedWhenTheLoopIdlesAndWhenAMenuOpens)
{
    MakeFrame();
    OpenConfigurations({Single("A")});
    ASSERT_TRUE(CommandEnabled(ID_CONNECT));

    // The port opens behind the frame's back (as inside another handler's wait).
    ASSERT_TRUE(StartLine({1}));
    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(CommandEnabled(ID_CONNECT));
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    EXPECT_FALSE(CommandEnabled(ID_CONNECT));
    EXPECT_TRUE(Enabled(IDC_DISCONNECT));

    g_port.m_Serial.Close();
    QMenu* connectMenu = frame->menuBar()->actions().at(1)->menu();
    ASSERT_NE(connectMenu, nullptr);
    connectMenu->popup(QPoint(0, 0));
    connectMenu->close();
    EXPECT_TRUE(CommandEnabled(ID_CONNECT));
    EXPECT_FALSE(Enabled(IDC_DISCONNECT));
}

TEST_F(FrameEnablingTest, ACommandItsRuleRefusesDoesNothing)
{
    MakeFrame();
    OpenConfigurations({Single("A"), Single("B")});
    ASSERT_TRUE(StartLine({1}));
    ASSERT_TRUE(OpenPort());
    frame->OnCommand(ID_CLOSE_LOGGER);
    EXPECT_EQ(g_nLoggerCount, 2);
    EXPECT_TRUE(g_port.m_Serial.IsOpen());
}

TEST_F(FrameEnablingTest, ConnectOptionRecomputesScheduleStartEvenWithoutSelection)
{
    MakeFrame();
    LoggerRecord automatic = Single("A");
    automatic.m_bAutoReceive = 1;
    OpenConfigurations({automatic});
    ASSERT_TRUE(Enabled(IDC_SCHEDULE_START));

    // Edited behind the screen: no configuration receives on schedule any more; and the
    // list has lost its selection, so no editor runs.
    g_loggers[0].m_bAutoReceive = 0;
    view->ItemAs<QListWidget>(IDC_LOGGER_LIST)->setCurrentRow(-1);
    frame->OnCommand(ID_CONNECT_OPTION);
    EXPECT_FALSE(Enabled(IDC_SCHEDULE_START));

    // With a selection the editor runs on it; closing it refreshes the screen all the same.
    g_loggers[0].m_bAutoReceive = 1;
    g_loggers[0].m_nComPort = 7;
    view->ItemAs<QListWidget>(IDC_LOGGER_LIST)->setCurrentRow(0);
    QString editorTitle;
    ModalDriver driver;
    driver.Then([&](QWidget* modal) {
        editorTitle = modal->windowTitle();
        RejectModal(modal);
    });
    frame->OnCommand(ID_CONNECT_OPTION);
    EXPECT_TRUE(driver.AllDone());
    EXPECT_EQ(editorTitle, "Connect Option");
    EXPECT_TRUE(Enabled(IDC_SCHEDULE_START));
    EXPECT_EQ(Text(IDC_COM_PORT), "COM 7");
}

} // namespace
