// Reads a project file without holding its embedded file contents: the file is read piece by piece,
// and the text of every <FileData_BASE64> element that is Base64 alone (alphabet, "=", blanks and
// line breaks) is left out of the parsed text; the icon keeps where that text lies in the file
// instead (ContentOffset, ContentLength). Base64 is ASCII, so the byte positions hold in a
// windows-1252 file as in a UTF-8 one. Any other element text is read as it is. A file the lean
// reading cannot take whole (an error, a content marker out of place) is read again whole by
// readProjectFile, so that errors keep their line and position; above a size limit, an error of the
// lean reading is placed in the file instead (same offset, line, position and source text).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "project/ProjectFileReader.h"

namespace plenvik {

class FileSystem;

struct ScannedProject {
    ProjectDocumentResult result;
    std::uint64_t fileSize = 0;  // the file's size when it was read
    // When the file was last written before it was read; empty when the system could not tell.
    std::optional<std::uint64_t> fileTime;
};

// The tags around an embedded content: ContentOffset is the first byte after the open tag.
inline constexpr std::string_view kContentOpenTag = "<FileData_BASE64>";
inline constexpr std::string_view kContentCloseTag = "</FileData_BASE64>";

// Files up to this size that do not read cleanly are read again whole; bigger ones are not.
inline constexpr std::uint64_t kWholeReadLimit = 64u << 20;

// Empty optional when the file cannot be opened or read.
std::optional<ScannedProject> scanProjectFile(FileSystem& files, const std::string& path, std::uint64_t wholeReadLimit = kWholeReadLimit);

}  // namespace plenvik
