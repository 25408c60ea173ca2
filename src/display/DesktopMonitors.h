// The main window's table of the current monitors.
#pragma once

#include <vector>

#include "display/MonitorRecord.h"
#include "errors/ErrorHandler.h"
#include "platform/Displays.h"

namespace plenvik {

// Fills `monitors` with the monitors attached now: element 0 stays empty, element i holds monitor i
// with Nr = i, so the table's upper bound (size - 1) is the monitor count; an upper bound of 0 means
// the monitors have not been determined. Registers as "frmMain.fc_DesktopMonitorsGet" and hands
// run-time errors to the handler, whose answer decides whether a step is retried, skipped or the
// operation left (the table then holds what was filled so far). True when the table was filled
// completely; callers need not look at it.
bool readMonitors(std::vector<MonitorRecord>& monitors, Displays& displays, ErrorHandler& handler);

}  // namespace plenvik
