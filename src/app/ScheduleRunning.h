#pragma once

// Set while the receive scheduler runs. The main frame then offers only View > Data, Exit
// and About; the list's double click does nothing; the connect and download dialogs show
// no message boxes (but the download's "stop").
extern bool g_bScheduleRunning;
