#include "app/MainFrame.h"

#include "app/VorlenView.h"
#include "app/FrameStatusBar.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "platform/Text.h"
#include "res/CommandIds.h"
#include "res/IconResources.h"
#include "res/MenuResources.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

namespace {

constexpr char StateKey[] = "MainFrame/State";
constexpr char GeometryKey[] = "MainFrame/Geometry";
// The frame's state is kept under its own version, so a changed toolbar is not restored
// from an older layout.
constexpr int StateVersion = 1;

} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
{
    // A fixed frame: system menu, minimise and close, no sizing border, no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Quorbel"));
    setWindowIcon(ProgramIcon());
    setFixedSize(InitialWidth, InitialHeight);

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    m_view = new CVorlenView(this);
    setCentralWidget(m_view);
    connect(m_view, &CVorlenView::CommandStateChanged, this, &CMainFrame::UpdateCommandUI);
    m_view->InitialUpdate();
    RestoreFrameState();

    // The rules are applied whenever the event loop has handled what was pending.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CMainFrame::OnIdle);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    g_port.m_Serial.Close();
}

QAction* CMainFrame::MakeCommand(int id, const char* caption)
{
    auto* action = new QAction(ToQt(caption), this);
    action->setIcon(ToolbarIcon(id));
    action->setIconVisibleInMenu(false);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_commands[id] = action;
    return action;
}

QAction* CMainFrame::Command(int id) const
{
    const auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::CreateMenus()
{
    for (const PopupResource& popup : Menu128()) {
        QMenu* menu = menuBar()->addMenu(ToQt(popup.caption));
        for (const MenuItemResource& item : popup.items) {
            if (item.id == 0)
                menu->addSeparator();
            else
                menu->addAction(MakeCommand(item.id, item.caption));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = new QToolBar(ToQt(ToolbarTitle), this);
    m_toolBar->setObjectName(QStringLiteral("Toolbar129"));
    m_toolBar->setIconSize(QSize(ToolbarImageWidth, ToolbarImageHeight));
    m_toolBar->setMovable(true);
    for (int id : Toolbar129()) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Command(id);
        action->setToolTip(action->text());
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::CreateStatusBar()
{
    setStatusBar(new FrameStatusBar(this));
}

void CMainFrame::SetDisplayWindows(const DisplayWindows& windows)
{
    m_display = windows;
    m_view->SetDisplayWindows(windows);
}

void CMainFrame::RestoreFrameState()
{
    const QSettings settings;
    const QByteArray state = settings.value(QString::fromLatin1(StateKey)).toByteArray();
    if (!state.isEmpty())
        restoreState(state, StateVersion);
    // The size stays fixed; the place is kept on a screen that still exists.
    const QByteArray geometry = settings.value(QString::fromLatin1(GeometryKey)).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void CMainFrame::SaveFrameState()
{
    QSettings settings;
    settings.setValue(QString::fromLatin1(StateKey), saveState(StateVersion));
    settings.setValue(QString::fromLatin1(GeometryKey), saveGeometry());
}

void CMainFrame::ClosePortOnExit()
{
    if (!g_port.m_Serial.IsOpen())
        return;
    // A dial-up line is not left connected: hang up before the port closes.
    const LoggerRecord* record = CurrentLogger();
    if (record && record->m_bUseModem)
        g_port.ModemHangUp();
    g_port.m_Serial.Close();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // The hang-up waits for the modem and handles events meanwhile; a second close request
    // in that time is the same request.
    if (m_bClosing) {
        event->ignore();
        return;
    }
    m_bClosing = true;
    ClosePortOnExit();
    SaveFrameState();
    m_bClosing = false;
    event->accept();
}
