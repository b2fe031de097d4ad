#include "app/VorlenView.h"

#include "data/ReceiveSchedule.h"
#include "app/ScheduleFlag.h"
#include "app/TimedMessageBox.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "res/MainScreenIds.h"

// The daily receive scheduler of the main screen: while it runs, timer 0 ticks once a second
// and receives every open configuration that takes part at its receive minutes.

namespace {
constexpr int ScheduleTimer = 0;
} // namespace

void CVorlenView::OnBnClickedScheduleStart()
{
    if (g_port.m_Serial.IsOpen()) {
        TimedMessageBox("Port Open", TimedBoxForm::Warning);
        return;
    }
    g_bScheduleRunning = true;
    for (int i = 0; i < g_nLoggerCount; ++i)
        g_loggers[i].m_nLastDay = 0;
    SetTimer(ScheduleTimer, s_nScheduleTickMs);
    EnableItems({IDC_OPEN_LOGGER, IDC_CONNECT, IDC_SCHEDULE_START, IDC_CLOSE_LOGGER}, false);
    EnableItems({IDC_SCHEDULE_STOP}, true);
    emit CommandStateChanged();
}

void CVorlenView::OnBnClickedScheduleStop()
{
    g_bScheduleRunning = false;
    KillTimer(ScheduleTimer);
    EnableItems({IDC_OPEN_LOGGER, IDC_CONNECT, IDC_SCHEDULE_START, IDC_CLOSE_LOGGER}, true);
    EnableItems({IDC_SCHEDULE_STOP}, false);
    emit CommandStateChanged();
}

void CVorlenView::OnTimer(int id)
{
    if (id != ScheduleTimer)
        return;
    // No tick arrives while a receive runs its dialogs.
    KillTimer(ScheduleTimer);
    // A tick inside another command's wait would take the line from under it; the next
    // tick looks again.
    if (m_bLineBusy) {
        SetTimer(ScheduleTimer, s_nScheduleTickMs);
        return;
    }
    for (int i = 0; i < g_nLoggerCount; ++i) {
        if (!g_loggers[i].m_bAutoReceive)
            continue;
        if (TakeScheduledTurn(g_loggers[i], ScheduleTimeOf(m_scheduleClock())))
            ReceiveScheduled(i);
    }
    if (g_bScheduleRunning)
        SetTimer(ScheduleTimer, s_nScheduleTickMs);
}

void CVorlenView::ReceiveScheduled(int index)
{
    SelectInList(index);
    OnLbnSelchangeLoggerList();
    OnBnClickedConnect();
    // The download runs also when the connect failed: it then passes every logger over.
    ReceiveLoggerData();
    if (index < g_nLoggerCount && g_loggers[index].m_bUseModem)
        RunOnLine([] { g_port.ModemHangUp(); });
    g_port.m_Serial.Close();
    // The line is closed: what a successful connect enabled goes off with it.
    m_bConnected = false;
    DisableLineControls();
    emit CommandStateChanged();
}
