// The monitor step of a run: each saved monitor compared with the current one of its device name and,
// in a restore with monitor adjustment, switched to the saved mode and position.
#pragma once

#include <cstddef>

namespace plenvik {

class ErrorHandler;
struct CurrentDesktop;
struct Platform;
struct RestoreRun;

// The number of monitors now; reads them into the current desktop's table when it is empty.
std::size_t currentMonitorCount(Platform& platform, ErrorHandler& errors, CurrentDesktop& current);
void monitorStep(RestoreRun& run);

}  // namespace plenvik
