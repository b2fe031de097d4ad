#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/VorlenView.h"
#include "app/CommandEnabling.h"
#include "app/OperationDialogs.h"
#include "record/LoggerTable.h"
#include "res/CommandIds.h"
#include "res/MainScreenIds.h"

#include <QAction>
#include <QApplication>

// The frame's command handlers and the rule that enables them.

CommandState CMainFrame::CommandStateNow() const
{
    CommandState state = CurrentCommandState();
    state.lineBusy = m_view->IsLineBusy();
    return state;
}

void CMainFrame::OnIdle()
{
    // A modal window's loop is not the frame's: its rules wait until that window has gone,
    // so nothing lights up behind a dialog that is still at work.
    if (QApplication::activeModalWidget())
        return;
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI()
{
    // A line that went away by itself: the screen's own buttons first, then the rules.
    m_view->FollowLine();
    const CommandState state = CommandStateNow();
    for (const auto& [id, action] : m_commands)
        action->setEnabled(IsCommandEnabled(id, state));

    // The screen's buttons that follow the frame's commands.
    DialogControls& controls = m_view->Controls();
    controls.EnableItem(IDC_RECEIVE_DATA, IsCommandEnabled(ID_RECEIVE_DATA, state));
    controls.EnableItem(IDC_DISCONNECT, IsCommandEnabled(ID_DISCONNECT, state));
    controls.EnableItem(IDC_VIEW_DATA, IsCommandEnabled(ID_VIEW_DATA, state));
}

bool CMainFrame::IsSelectionValid() const
{
    const int selection = m_view->Selection();
    return selection >= 0 && selection < g_nLoggerCount;
}

void CMainFrame::OnCommand(int id)
{
    // A command reached while its rule says no (a shortcut, a test) does nothing.
    if (!IsCommandEnabled(id, CommandStateNow()))
        return;
    switch (id) {
    case ID_OPEN_LOGGER:
        m_view->OnBnClickedOpenLogger();
        break;
    case ID_CLOSE_LOGGER:
        m_view->OnBnClickedCloseLogger();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_CONNECT:
        m_view->OnBnClickedConnect();
        break;
    case ID_CONNECT_OPTION:
        OnConnectOption();
        break;
    case ID_DISCONNECT:
        m_view->DisconnectLogger();
        break;
    case ID_RECEIVE_DATA:
        m_view->ReceiveLoggerData();
        break;
    case ID_MEMORY_CHECK:
        OnSelectedDialog(&RunMemoryCheckDlg);
        break;
    case ID_FORMAT_MEMORY:
        OnSelectedDialog(&RunFormatDlg);
        break;
    case ID_TIME_SET_CHECK:
        OnSelectedDialog(&RunTimeSetDlg);
        break;
    case ID_LOGGER_RESET:
        OnSelectedDialog(&RunResetDlg);
        break;
    case ID_VIEW_DATA:
        m_view->ViewLoggerData();
        break;
    case ID_VIEW_GRAPH:
        OnViewGraph();
        break;
    case ID_LOGGER_SETTING:
        OnLoggerSetting();
        break;
    case ID_ZIGBEE_SET:
        // The dialog opens a port of its own choice and sets up radio modules: it needs no
        // configuration, so it runs with none open too.
        RunZigbeeSetDlg();
        break;
    case ID_APP_ABOUT: {
        CAboutDlg about(this);
        about.DoModal();
        break;
    }
    default:
        break;
    }
    UpdateCommandUI();
}

void CMainFrame::OnSelectedDialog(void (*run)())
{
    if (IsSelectionValid())
        run();
}

void CMainFrame::OnConnectOption()
{
    if (IsSelectionValid())
        RunLoggerEditDlg(m_view->Selection());
    m_view->RefreshLoggerList(false);
    m_view->UpdateScheduleStart(false);
}

void CMainFrame::OnLoggerSetting()
{
    if (!IsSelectionValid())
        return;
    RunLoggerSettingDlg();
    m_view->RefreshLoggerList(false);
}

void CMainFrame::OnViewGraph()
{
    if (IsSelectionValid() && m_display.openGraph)
        m_display.openGraph();
}
