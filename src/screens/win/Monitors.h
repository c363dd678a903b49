#pragma once
// The monitors as Windows reports them now. Reading them enumerates the
// displays and opens the registry: done at start and on display changes,
// never per mouse move.
#include "screens/MonitorLayout.h"

MonitorLayout ReadMonitorLayout();
