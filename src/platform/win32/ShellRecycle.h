// Sending one item to the Recycle Bin through the shell's file operation, which says before it deletes
// an item whether the bin will keep it: an item it would delete for good is left alone.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace plenvik::win32 {

// path must be absolute. nullopt when the system has no working IFileOperation (one that never shows
// the progress sink the item, as Wine's); the caller then decides by the drive.
std::optional<RecycleResult> recycleThroughFileOperation(const std::wstring& path);

}  // namespace plenvik::win32
