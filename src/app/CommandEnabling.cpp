#include "app/CommandEnabling.h"

#include "app/ScheduleFlag.h"
#include "record/LoggerTable.h"
#include "link/Port.h"
#include "res/CommandIds.h"

CommandState CurrentCommandState()
{
    return {g_bScheduleRunning, g_port.m_Serial.IsOpen(), g_nLoggerCount > 0};
}

bool IsCommandEnabled(int commandId, const CommandState& state)
{
    const bool idle = !state.scheduleRunning && !state.lineBusy;
    switch (commandId) {
    case ID_OPEN_LOGGER:
    case ID_ZIGBEE_SET:
        return idle && !state.portOpen;
    case ID_CLOSE_LOGGER:
    case ID_CONNECT:
    case ID_CONNECT_OPTION:
        return idle && !state.portOpen && state.anyOpen;
    case ID_DISCONNECT:
    case ID_RECEIVE_DATA:
    case ID_MEMORY_CHECK:
    case ID_FORMAT_MEMORY:
    case ID_TIME_SET_CHECK:
    case ID_LOGGER_RESET:
    case ID_VIEW_GRAPH:
    case ID_LOGGER_SETTING:
        return idle && state.portOpen;
    case ID_VIEW_DATA:
        return state.anyOpen;
    case ID_APP_EXIT:
    case ID_APP_ABOUT:
        return true;
    default:
        return false;
    }
}
