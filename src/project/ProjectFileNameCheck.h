// Whether a name can be a bare Windows file name: the one check for the names a project file brings
// (re-created icons) and the project file names the user types.
#pragma once

#include <string>
#include <string_view>

namespace plenvik {

enum class FileNameFault {
    None,
    Empty,
    ForbiddenCharacter,  // a separator, drive or stream colon, wildcard, quote, "<", ">", "|" or control character
    TrailingBlankOrDot,  // Windows drops these: the name would not be the one written (also "." and "..")
    DeviceName,          // CON, PRN, AUX, NUL, COM1-9, LPT1-9, in any case, also with an extension
};

FileNameFault fileNameFault(std::string_view name);

// True for a plain name of a file or folder in one folder. A project file is data from outside: a name
// that would reach beyond the desktop folder or name a device must never be written.
inline bool isBareFileName(std::string_view name) { return fileNameFault(name) == FileNameFault::None; }

// Empty when the name the user typed can be used; else the German reason, for the message box.
std::string projectFileNameProblem(const std::string& name);

}  // namespace plenvik
