// Whole small files through the platform's file system: read at once, or replaced completely.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace plenvik {

class FileSystem;

// The file's bytes; empty optional when it cannot be opened or read.
std::optional<std::string> readFileBytes(FileSystem& files, const std::string& path);

// The file's bytes up to (not including) the first occurrence of one of the markers, read piece by
// piece so that what follows is never read; the whole file when no marker occurs. Empty optional when
// it cannot be opened or read.
struct FileHead {
    std::string bytes;
    bool whole = false;  // no marker: bytes is the whole file
};
std::optional<FileHead> readFileHead(FileSystem& files, const std::string& path, std::initializer_list<std::string_view> markers);

// Replaces the file whole through an AtomicFile (writeFileAtomically): a failure leaves the old file as
// it was and no temporary file behind. False when that did not succeed.
bool replaceFileBytes(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace plenvik
