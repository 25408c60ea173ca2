// Where the test shell's icons come from: the Wine prefix's two desktop folders and the system icons
// its registry leaves visible (read with plain Win32 calls), or a given list of labels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/DesktopEntries.h"

namespace plenvik {
class Registry;
}

namespace plenvik::testshell {

class ShellSource {
public:
    // iconsFile empty: the desktop folders (and the system icons when systemIcons is set).
    ShellSource(std::wstring iconsFile, bool systemIcons);
    ~ShellSource();

    std::vector<DesktopEntry> read();

private:
    std::wstring iconsFile_;
    DesktopFolders folders_;
    std::unique_ptr<Registry> registry_;
};

// The lines of a UTF-8 text file, without line ends; empty when it cannot be read.
std::vector<std::string> readLines(const std::wstring& path);

}  // namespace plenvik::testshell
