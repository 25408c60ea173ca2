// Finding Explorer's desktop list view: Progman > SHELLDLL_DefView > SysListView32, or, where current
// Windows moves the view out of Progman, a top-level WorkerW window > SHELLDLL_DefView > SysListView32.
#pragma once

#include <windows.h>

namespace plenvik::win32 {

// The desktop list view; nullptr when there is none. Looked up anew on every call.
HWND findDesktopListView();

}  // namespace plenvik::win32
