// The about box: program name, version, description, the system-information button, the web address.
#pragma once

#include <windows.h>

#include "app/AboutInfo.h"

namespace plenvik {
struct Platform;
}

namespace plenvik::win32 {

inline constexpr int kAboutSystemInfoId = 301;
inline constexpr int kAboutWebId = 302;

// Modal over owner; returns when the user closes it.
void runAboutBox(HWND owner, const AboutInfo& info, Platform& platform);

}  // namespace plenvik::win32
