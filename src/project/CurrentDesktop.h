// What a run has read of the live desktop: its monitors and its icons (each table's element 0 is
// unused, so that an index is the monitor's number or the icon's place from 1), and the scale of the
// monitor picture drawn of them.
#pragma once

#include <vector>

#include "display/MonitorRecord.h"
#include "project/DesktopIcon.h"

namespace plenvik {

class ErrorHandler;
class IconView;

struct CurrentDesktop {
    // An upper bound of 0 means the monitors have not been determined yet.
    std::vector<MonitorRecord> monitors{1};
    std::vector<DesktopIcon> icons{1};
    float pictureScaleX = 0, pictureScaleY = 0;

    std::size_t monitorCount() const { return monitors.empty() ? 0 : monitors.size() - 1; }
    std::size_t iconCount() const { return icons.empty() ? 0 : icons.size() - 1; }
};

// Reads the desktop's icons anew into the icon table (labels and positions; nothing else is known of
// them until the inventory looks at their files).
void readCurrentIcons(CurrentDesktop& desktop, IconView& view, ErrorHandler& errors);

}  // namespace plenvik
