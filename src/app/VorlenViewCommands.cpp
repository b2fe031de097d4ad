#include "app/VorlenView.h"

#include "app/OperationDialogs.h"
#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "platform/CommandGuard.h"
#include "platform/Text.h"
#include "res/MainScreenIds.h"

#include <QComboBox>

#include <cstdlib>

// The screen's commands: they run the operation dialogs and set the enabled state of the
// screen's own buttons afterwards, as the line and the table then stand.

namespace {

bool IsSelectionValid(int selection)
{
    return selection >= 0 && selection < g_nLoggerCount;
}

} // namespace

bool CVorlenView::RunOnLine(const std::function<void()>& command)
{
    // The link's waits dispatch events: a second command started inside one would purge the
    // first one's reply and read its own traffic as the answer.
    if (m_bLineBusy)
        return false;
    {
        const CommandGuard guard(
            Controls(), {IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL}, m_bLineBusy);
        emit CommandStateChanged();
        command();
    }
    if (!g_port.m_Serial.IsOpen())
        DisableLineControls();
    FollowLine();
    emit CommandStateChanged();
    return true;
}

void CVorlenView::FollowLine()
{
    if (!m_bConnected || g_bScheduleRunning || m_bLineBusy)
        return;
    // No command waits on the line: what a lost line left unread (the end of the last reply)
    // is nobody's, and the port would otherwise stay open for it.
    if (g_port.m_Serial.IsLineLost())
        g_port.m_Serial.Close();
    if (!g_port.m_Serial.IsOpen())
        ShowDisconnected();
}

void CVorlenView::ShowDisconnected()
{
    m_bConnected = false;
    EnableItems({IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_CONNECT}, true);
    UpdateScheduleStart(true);
    DisableLineControls();
}

void CVorlenView::EnableForTable()
{
    if (g_nLoggerCount > 0) {
        UpdateScheduleStart(true);
    } else {
        EnableItems({IDC_OPEN_LOGGER}, true);
        EnableItems({IDC_CLOSE_LOGGER, IDC_SCHEDULE_START, IDC_CONNECT}, false);
    }
}

void CVorlenView::OnBnClickedOpenLogger()
{
    RunOpenLoggerDlg();
    g_nCurLogger = -1;
    RefreshLoggerList(true);
    if (g_nLoggerCount > 0)
        EnableItems({IDC_CLOSE_LOGGER, IDC_CONNECT}, true);
    EnableForTable();
    emit CommandStateChanged();
}

void CVorlenView::OnBnClickedCloseLogger()
{
    const int selection = Selection();
    if (m_bLineBusy || !IsSelectionValid(selection))
        return;
    g_port.m_Serial.Close();
    m_bConnected = false;
    CloseLoggerAt(selection);
    g_nCurLogger = 0;
    RefreshLoggerList(true);

    EnableItems({IDC_CONNECT, IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER}, true);
    DisableLineControls();
    EnableForTable();
    emit CommandStateChanged();
}

void CVorlenView::OnBnClickedConnect()
{
    if (!RunOnLine(&RunConnectDlg))
        return;
    if (g_port.m_Serial.IsOpen()) {
        EnableItems({IDC_CONNECT, IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START}, false);
        EnableItems({IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL}, true);
        m_bConnected = true;
    }
    emit CommandStateChanged();
}

void CVorlenView::DisconnectLogger()
{
    if (m_bLineBusy)
        return;
    const LoggerRecord* record = CurrentLogger();
    // The hang-up waits for the modem's reply.
    if (record && record->m_bUseModem)
        RunOnLine([] { g_port.ModemHangUp(); });
    g_port.m_Serial.Close();
    ShowDisconnected();
    emit CommandStateChanged();
    TimedMessageBox("Disconnected to logger!", TimedBoxForm::Information);
}

void CVorlenView::ReceiveLoggerData()
{
    if (IsSelectionValid(Selection()))
        RunOnLine(&RunDataReadingDlg);
}

void CVorlenView::ViewLoggerData()
{
    if (IsSelectionValid(Selection()) && m_display.openDataView)
        m_display.openDataView();
}

void CVorlenView::OnBnClickedMeasurement()
{
    RunOnLine(&RunMeasurement);
}

void CVorlenView::OnBnClickedCall()
{
    if (m_bLineBusy)
        return;
    EnableItems({IDC_LAMP_GOOD, IDC_LAMP_BAD}, false);
    if (m_comboLoggerId->currentIndex() < 0)
        return;
    const int id = std::atoi(FromQt(m_comboLoggerId->currentText()).c_str());
    int records = -1;
    RunOnLine([&records, id] { records = g_port.ReadMemoryCount(id); });
    // A line that went away left the screen disconnected, with both lamps dark.
    if (g_port.m_Serial.IsOpen())
        Controls().EnableItem(records >= 0 ? IDC_LAMP_GOOD : IDC_LAMP_BAD, true);
}
