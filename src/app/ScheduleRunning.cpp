#include "app/ScheduleRunning.h"

bool g_bScheduleRunning = false;
