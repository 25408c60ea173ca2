// The shell's special folders: the user's and the all-users desktop.
#pragma once

#include <string>

#include "platform/ShellLinks.h"

namespace plenvik {

inline constexpr const char* kSpecialFolderErrorSource = "Plenvik.GSystemFolders";
inline constexpr const char* kSpecialFolderErrorText = "Incorrect Shell Version - Internet Explorer 4.0 or higher required.";

// The path of a special folder (folder code 16 or 25), created when missing. When the shell cannot
// answer, raises a RuntimeError with the failure's number, the source "Plenvik.GSystemFolders" and the
// text kSpecialFolderErrorText, for the caller's error handler.
std::string specialFolderPath(ShellFolders& shell, int folderCode);

}  // namespace plenvik
