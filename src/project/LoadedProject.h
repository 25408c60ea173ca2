// A project file as a run works on it: made only by a load that read the whole file (embedded contents
// stay in the file: each icon keeps where its text lies), and not changed
// afterwards. The comparison, the restore and the icon repair act on this value, never on list cells,
// so they always act on the project the user sees.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/MonitorRecord.h"
#include "project/DesktopIcon.h"
#include "project/ProjectFileModel.h"

namespace plenvik {

struct LoadedProject {
    std::string directory;  // with a trailing backslash
    std::string fileName;
    // The file's size and last write time when it was loaded: the icons' contents are read from it when
    // they are needed, and only while both are unchanged.
    std::uint64_t fileSize = 0;
    std::optional<std::uint64_t> fileTime;
    ProjectHeader header;
    std::int32_t viewStyle = 0;
    std::int32_t arrangeStyle = 0;
    // Desktop pixels per pixel of the project's monitor picture.
    float pictureScaleX = 0, pictureScaleY = 0;
    std::vector<MonitorRecord> monitors;  // in the file's order
    // Element 0 is unused, so that an icon's index is its place in the file from 1 (as the list keys
    // and the re-creation count them). Each icon's ListKey names its row in the icon list.
    std::vector<DesktopIcon> icons{1};

    std::string path() const { return directory + fileName; }
    std::size_t iconCount() const { return icons.empty() ? 0 : icons.size() - 1; }
};

}  // namespace plenvik
