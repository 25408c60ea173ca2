// The content of a re-created file, decoded from the project file straight into the new file in
// pieces of fixed size, so that memory does not grow with the content.
#pragma once

namespace plenvik {

class FileSystem;
class NewDesktopFile;
class RunFeedback;
struct DesktopIcon;
struct LoadedProject;

enum class ContentCopy {
    Written,
    Damaged,  // the Base64 text breaks decodeBase64Content's rules
    Failed,   // the project file cannot be read, or is not the one loaded, or the new file cannot be written
    Cancelled,  // the user cancelled the run meanwhile
};

// Decodes the icon's text (ContentOffset, ContentLength) of the project's file into file. The project
// file must still have the size and last write time it had when it was loaded, and the text must still
// stand between the FileData_BASE64 tags there. Window events run after every piece, so a big file
// neither freezes the window nor outlasts a cancel.
ContentCopy copyEmbeddedContent(FileSystem& files, const LoadedProject& project, const DesktopIcon& icon, NewDesktopFile& file,
                                RunFeedback& feedback);

}  // namespace plenvik
