// A part of a file, read through the platform's file system piece by piece.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace plenvik {

class FileSystem;
class FileHandle;

// Reads and drops count bytes from the handle's position. False when the file ends before or a read fails.
bool skipFileBytes(FileHandle& file, std::uint64_t count);

// Appends length bytes of the file from offset to out. False when they cannot all be read.
bool appendFileRange(FileSystem& files, const std::string& path, std::uint64_t offset, std::uint64_t length, std::string& out);

}  // namespace plenvik
