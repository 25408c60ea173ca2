// A project file as the program holds it after reading.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/MonitorRecord.h"
#include "project/DesktopIcon.h"

namespace plenvik {

// The eight header values the project list shows, as the file's text.
struct ProjectHeader {
    std::string OrvelVersion;
    std::string ComputerName;
    std::string UserName;
    std::string DateTime;
    std::string MonitorCount;
    std::string IconCount;
    std::string DesktopViewStyle;
    std::string DesktopArrangeStyle;

    bool operator==(const ProjectHeader&) const = default;
};

struct ProjectDocument {
    ProjectHeader header;
    std::int32_t viewStyle = 0;     // DesktopViewStyle as a number
    std::int32_t arrangeStyle = 0;  // DesktopArrangeStyle as a number
    std::string screenPicture;      // Base64 of the JPEG, as stored (unpadded)
    float horizontalOperator = 0.0f;
    float verticalOperator = 0.0f;
    // The children of MONITOR_DATA and ICON_DATA in document order. Each icon's PosOrder is its Nr;
    // Matched, ListKey and LinkTarget are not stored in the file and stay empty.
    std::vector<MonitorRecord> monitors;
    std::vector<DesktopIcon> icons;
};

}  // namespace plenvik
