// The real platform: every service of the seam, on Windows.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/win32/Win32Basics.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Displays.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IconView.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellFolders.h"

namespace plenvik::win32 {

class Win32Platform {
public:
    Win32Platform();
    ~Win32Platform();

    Platform& platform() { return *platform_; }
    Win32Dialogs& dialogs() { return dialogs_; }

private:
    Win32SystemInfo system_;
    Win32Clock clock_;
    Win32Locale locale_;
    Win32Dialogs dialogs_;
    Win32EventPump events_;
    Win32Processes processes_;
    Win32FileSystem files_;
    Win32Registry registry_;
    Win32ShellFolders shell_;
    Win32Displays displays_;
    Win32IconView desktop_;
    std::unique_ptr<Platform> platform_;
};

}  // namespace plenvik::win32
