#include "app/ScheduleFlag.h"

bool g_bScheduleRunning = false;
