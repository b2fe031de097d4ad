#pragma once

// True while the receive scheduler runs: the main frame then offers only View > Data, Exit
// and About, and the connect and download dialogs keep their message boxes to themselves.
extern bool g_bScheduleRunning;
