// Where the test shell's icons come from: the Wine prefix's two desktop folders and the system icons
// its registry leaves visible (read with plain Win32 calls), or a given list of labels. Labels hide the
// extensions of the types HKEY_CLASSES_ROOT knows a program for, as Explorer does.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/DesktopEntries.h"

namespace plenvik {
class Registry;
}

namespace plenvik::testshell {

class ShellSource {
public:
    // iconsFile empty: the desktop folders (and the system icons when systemIcons is set); with
    // hideExtensions the labels of known types lose their extension (while HideFileExt says so).
    ShellSource(std::wstring iconsFile, bool systemIcons, bool hideExtensions = true);
    ~ShellSource();

    std::vector<DesktopEntry> read();

private:
    std::wstring iconsFile_;
    bool systemIcons_, hideExtensions_;
    DesktopFolders folders_;
    std::unique_ptr<Registry> registry_;
};

// Whether HKEY_CLASSES_ROOT registers a program for the extension (".docx"): its key names a ProgID
// that exists, as for every type Explorer hides the extension of.
bool hasRegisteredProgram(std::string_view extension);

// The lines of a UTF-8 text file, without line ends; empty when it cannot be read.
std::vector<std::string> readLines(const std::wstring& path);

}  // namespace plenvik::testshell
