// Whole small files through the platform's file system: read at once, or replaced completely.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plenvik {

class FileSystem;

// The file's bytes; empty optional when it cannot be opened or read.
std::optional<std::string> readFileBytes(FileSystem& files, const std::string& path);

// Writes the bytes to a temporary file beside path and renames it over path once complete, so that a
// failure leaves the old file as it was. False when that did not succeed (the temporary file is gone).
bool replaceFileBytes(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace plenvik
