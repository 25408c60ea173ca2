#include "errors/win32/DebugStop.h"

#include <windows.h>

namespace plenvik::win32 {

void stopInDebugger() {
    if (IsDebuggerPresent()) DebugBreak();
}

}  // namespace plenvik::win32
