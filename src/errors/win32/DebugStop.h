// What "stop in the debugger" means on Windows: a break into an attached debugger, nothing otherwise.
#pragma once

namespace plenvik::win32 {

void stopInDebugger();

}  // namespace plenvik::win32
