#pragma once

#include "app/DisplayWindows.h"
#include "platform/FormView.h"

#include <QColor>
#include <QDateTime>

#include <functional>
#include <string>

class CIconButton;
class QComboBox;
class QListWidget;

// The main screen (form 101): the open configurations, the information of the selected
// one, the line commands, the communication check with its GOOD and BAD lamps, the
// schedule buttons and the entry to manual measurement.
//
// Its handlers set the enabled state of its own controls; Receive Data (1060), View Data
// (1061) and Disconnect (1063) follow the main frame's command enabling instead.
class CVorlenView : public CFormView
{
    Q_OBJECT

public:
    explicit CVorlenView(QWidget* parent = nullptr);

    // The background of the five section captions (COLORREF 0xA60000).
    static inline const QColor CaptionBackground{0, 0, 166};

    void SetDisplayWindows(DisplayWindows windows) { m_display = std::move(windows); }

    // The highlighted row of the list, the one the commands act on; -1 for none.
    int Selection() const;
    // True while a command of the screen waits on the line (Call, Connect, Receive Data,
    // Measurement). The other line commands are off meanwhile, here and in the frame.
    bool IsLineBusy() const { return m_bLineBusy; }

    // Refills the list and the name combo from the table when bReload, then shows the
    // current configuration's information (or empty strings when none is open).
    void RefreshLoggerList(bool bReload);

    void OnBnClickedOpenLogger();
    void OnBnClickedCloseLogger();
    void OnBnClickedConnect();
    void DisconnectLogger();
    void ReceiveLoggerData();
    void ViewLoggerData();
    void OnBnClickedMeasurement();
    void OnBnClickedCall();
    void OnLbnSelchangeLoggerList();
    void OnLbnDblclkLoggerList();
    void OnCbnSelchangeLoggerCombo();

    // When the line has gone away by itself (the adapter pulled) while the screen showed it
    // connected and no command waits on it, the port is closed and the screen shows the state
    // Disconnect leaves. Runs after each line command and whenever the frame applies its
    // command rules; a scheduled receive closes its line itself.
    void FollowLine();

    // Enables Schedule start (1035) when some open configuration receives on schedule; with
    // bOnlyEnable, a table with none leaves the button as it is.
    void UpdateScheduleStart(bool bOnlyEnable);

    // The receive scheduler: Schedule start (1035) and stop (1036), and timer 0, which ticks
    // once a second while the schedule runs.
    void OnBnClickedScheduleStart();
    void OnBnClickedScheduleStop();
    // Where the scheduler reads the local time; tests set their own clock and tick.
    void SetScheduleClock(std::function<QDateTime()> clock) { m_scheduleClock = std::move(clock); }
    static inline int s_nScheduleTickMs = 1000;

signals:
    // A handler changed what the frame's command enabling depends on (the table, the port).
    void CommandStateChanged();

protected:
    void OnInitialUpdate() override;
    void OnTimer(int id) override;
    QWidget* CreateCustomControl(const ControlTemplate& control, QWidget* parent) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ConnectControls();
    void SetIcons();
    void SetCaptionLook();
    void ShowInformation(const std::string& quantity, const std::string& count,
        const std::string& comPort, const std::string& network, const std::string& receive,
        const std::string& erase);
    void FillLoggerIds();
    void SelectInList(int index);
    // The list and the name combo show the current record again (highlight and current row).
    void ShowCurrentInList();
    // Another record was chosen while the line is open: back to the current one, and one
    // "already port open" once the input that chose it has been handled.
    void RefuseSelection();
    // Runs a command that waits on the line with the line marked busy; false (and nothing
    // run) when another command already waits.
    bool RunOnLine(const std::function<void()>& command);
    void EnableItems(std::initializer_list<int> ids, bool enable);
    // Measurement, the logger-ID combo, Call and both lamps off: the line is closed.
    void DisableLineControls();
    // Open Logger, Close Logger and Connect on, Schedule start as the table asks, the line
    // controls and both lamps off: the line is closed.
    void ShowDisconnected();
    // Schedule start as the open configurations ask, or with an empty table Open Logger alone.
    void EnableForTable();
    // Selects, connects, downloads and disconnects record index as an operator would.
    void ReceiveScheduled(int index);

    QListWidget* m_listLoggers = nullptr;
    QComboBox* m_comboLoggers = nullptr;
    QComboBox* m_comboLoggerId = nullptr;
    CIconButton* m_btnGood = nullptr;
    CIconButton* m_btnBad = nullptr;
    DisplayWindows m_display;
    std::function<QDateTime()> m_scheduleClock = [] { return QDateTime::currentDateTime(); };
    bool m_bLineBusy = false;
    bool m_bConnected = false; // the screen shows the line connected
    bool m_bRefusalPending = false; // a refused choice waits for its warning
};
