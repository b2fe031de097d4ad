#pragma once

#include "app/DisplayWindows.h"

// The data display's windows as the main screen opens them, each on the current
// configuration.
DisplayWindows DisplayOpeners();
