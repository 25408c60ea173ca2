// The monitor step of a run: each saved monitor compared with the current one of its device name and,
// in a restore with monitor adjustment, switched to the saved mode and position.
#pragma once

#include <cstddef>

namespace plenvik {

class frmMain;
struct RestoreRun;

// The number of monitors now; reads them into the main window's table when it is empty.
std::size_t currentMonitorCount(frmMain& form);

void monitorStep(RestoreRun& run);

}  // namespace plenvik
