#pragma once

// What the main frame's commands depend on.
struct CommandState
{
    bool scheduleRunning = false; // g_bScheduleRunning
    bool portOpen = false; // g_port's serial handle is set
    bool anyOpen = false; // g_nLoggerCount > 0
};

// The state of the program now.
CommandState CurrentCommandState();

// Whether a command of the main frame's menu and toolbar is enabled in the state. The view's
// buttons 1060 (Receive Data) and 1063 (Disconnect) follow ID_RECEIVE_DATA and
// ID_DISCONNECT, and 1061 (View Data) follows ID_VIEW_DATA. Commands the frame does not own
// are disabled.
bool IsCommandEnabled(int commandId, const CommandState& state);
