// The one image list of small pictures that every list of the program shares, by key ("DESY",
// "MONITORS", "DESKTOP", "LINK", ...). The pictures are drawn at start-up.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace plenvik::win32 {

// The shared image list (created on first use, lives as long as the program).
HIMAGELIST listIcons();
// The image index of a key; -1 (no picture) for an unknown or empty key.
int listIconIndex(const std::string& key);

}  // namespace plenvik::win32
