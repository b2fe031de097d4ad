#pragma once

// What the main frame's commands depend on.
struct CommandState
{
    bool scheduleRunning = false; // g_bScheduleRunning
    bool portOpen = false; // g_port's serial handle is set
    bool anyOpen = false; // g_nLoggerCount > 0
    bool lineBusy = false; // a command of the main screen waits on the line
};

// The state of the program now; lineBusy is the main screen's to tell, and is false here.
CommandState CurrentCommandState();

// Whether a command of the main frame's menu and toolbar is enabled in the state. The view's
// buttons 1060 (Receive Data) and 1063 (Disconnect) follow ID_RECEIVE_DATA and
// ID_DISCONNECT, and 1061 (View Data) follows ID_VIEW_DATA. Commands the frame does not own
// are disabled. While the line is busy only what the schedule leaves on stays on, so no
// second command reaches the line inside the first one's wait.
bool IsCommandEnabled(int commandId, const CommandState& state);
