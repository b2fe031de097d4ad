#pragma once

#include "app/CommandEnabling.h"
#include "app/DisplayWindows.h"

#include <QMainWindow>

#include <map>

class CVorlenView;
class QAction;
class QToolBar;

// The program's one window: menu 128, toolbar 129, the status bar and the main screen. It
// cannot be resized or maximised. Its commands are enabled by one set of rules (see
// CommandEnabling.h) that is applied to the menu entries, the toolbar buttons and the main
// screen's Receive Data, View Data and Disconnect buttons alike: whenever a menu opens, when
// the frame's own event loop has handled a batch of events (not inside a modal window's
// loop), and after each command.
class CMainFrame final : public QMainWindow
{
    Q_OBJECT

public:
    // The size the frame is created with, before the main screen fits it to its form.
    static constexpr int InitialWidth = 1036;
    static constexpr int InitialHeight = 837;

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CVorlenView* View() const { return m_view; }
    // The menu and toolbar action of a command; nullptr for a number the frame lacks.
    QAction* Command(int id) const;
    QToolBar* ToolBar() const { return m_toolBar; }

    void SetDisplayWindows(const DisplayWindows& windows);

    // Applies the enabling rules to every command and to the main screen's three buttons.
    void UpdateCommandUI();

    // Runs the handler of a command, as its menu entry or toolbar button does.
    void OnCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* MakeCommand(int id, const char* caption);
    void RestoreFrameState();
    void SaveFrameState();
    // Closes g_port, hanging up the modem first when the current configuration uses one.
    void ClosePortOnExit();

    // Handlers of the commands the frame runs itself; the rest go to the view.
    void OnConnectOption();
    void OnSelectedDialog(void (*run)());
    void OnLoggerSetting();
    void OnViewGraph();
    bool IsSelectionValid() const;
    CommandState CommandStateNow() const;
    // The event loop is about to wait: the rules are applied unless a modal window runs it.
    void OnIdle();

    CVorlenView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::map<int, QAction*> m_commands;
    DisplayWindows m_display;
    bool m_bClosing = false;
};
