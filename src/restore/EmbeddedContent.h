// The content of a re-created file, decoded from the project file straight into the new file in
// pieces of fixed size, so that memory does not grow with the content.
#pragma once

#include <cstdint>
#include <string>

namespace plenvik {

class FileSystem;
class NewDesktopFile;
struct DesktopIcon;

enum class ContentCopy {
    Written,
    Damaged,  // the Base64 text breaks decodeBase64Content's rules
    Failed,   // the project file cannot be read, or is not the one loaded, or the new file cannot be written
};

// Decodes the icon's text (ContentOffset, ContentLength) of the project file at projectPath into file.
// The project file must still have projectSize bytes and the text must still stand between the
// FileData_BASE64 tags there.
ContentCopy copyEmbeddedContent(FileSystem& files, const std::string& projectPath, std::uint64_t projectSize, const DesktopIcon& icon,
                                NewDesktopFile& file);

}  // namespace plenvik
