#include "app/VorlenView.h"

#include "app/OperationDialogs.h"
#include "app/TimedMessageBox.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
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
    if (!IsSelectionValid(selection))
        return;
    g_port.m_Serial.Close();
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
    RunConnectDlg();
    if (g_port.m_Serial.IsOpen()) {
        EnableItems({IDC_CONNECT, IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_SCHEDULE_START}, false);
        EnableItems({IDC_MEASUREMENT, IDC_LOGGER_ID_COMBO, IDC_CALL}, true);
    }
    emit CommandStateChanged();
}

void CVorlenView::DisconnectLogger()
{
    const LoggerRecord* record = CurrentLogger();
    if (record && record->m_bUseModem)
        g_port.ModemHangUp();
    g_port.m_Serial.Close();
    m_bCallDropped = m_bCalling;
    EnableItems({IDC_OPEN_LOGGER, IDC_CLOSE_LOGGER, IDC_CONNECT}, true);
    UpdateScheduleStart(true);
    DisableLineControls();
    emit CommandStateChanged();
    TimedMessageBox("Disconnected to logger!", TimedBoxForm::Information);
}

void CVorlenView::ReceiveLoggerData()
{
    if (IsSelectionValid(Selection()))
        RunDataReadingDlg();
    emit CommandStateChanged();
}

void CVorlenView::ViewLoggerData()
{
    if (IsSelectionValid(Selection()) && m_display.openDataView)
        m_display.openDataView();
}

void CVorlenView::OnBnClickedMeasurement()
{
    RunMeasurement();
}

void CVorlenView::OnBnClickedCall()
{
    // The wait dispatches events, so a second click could start a second command on the
    // line mid-reply and light a lamp from the other call's answer.
    if (m_bCalling)
        return;
    EnableItems({IDC_LAMP_GOOD, IDC_LAMP_BAD}, false);
    if (m_comboLoggerId->currentIndex() < 0)
        return;
    const int id = std::atoi(FromQt(m_comboLoggerId->currentText()).c_str());
    m_bCalling = true;
    m_bCallDropped = false;
    const int records = g_port.ReadMemoryCount(id);
    m_bCalling = false;
    // A Disconnect during the wait has put the lamps out; they stay out.
    if (m_bCallDropped)
        return;
    Controls().EnableItem(records >= 0 ? IDC_LAMP_GOOD : IDC_LAMP_BAD, true);
}
