#include "display/MonitorScreens.h"

#include <exception>

namespace plenvik {

MonitorScreens::MonitorScreens(Displays& displays) : displays_(displays) { Refresh(); }

void MonitorScreens::Refresh() {
    monitors_.clear();
    keys_.clear();

    const int platformCount = displays_.metric(kSmCMonitors);
    if (platformCount == 0) {
        DisplayMonitor m(displays_);
        m.Right = m.WorkRight = m.Width = displays_.screenWidth();
        m.Bottom = m.WorkBottom = m.Height = displays_.screenHeight();
        monitors_.push_back(m);
        keys_.insert("0");
        return;
    }

    // The whole virtual screen, also where it starts left of or above the primary monitor.
    const Area area{DesktopLeft(), DesktopTop(), DesktopWidth(), DesktopHeight()};
    try {
        scan(area, kCellWidth, kCellHeight, 0);
        if (platformCount > 0 && monitors_.size() < static_cast<std::size_t>(platformCount))
            scan(area, kFineCellWidth, kFineCellHeight, static_cast<std::size_t>(platformCount));
    } catch (const std::exception&) {
        // The monitors found so far stand.
    }
}

void MonitorScreens::scan(const Area& area, int cellWidth, int cellHeight, std::size_t enough) {
    for (std::int64_t y = area.top; y <= area.top + area.height; y += cellHeight) {
        for (std::int64_t x = area.left; x <= area.left + area.width; x += cellWidth) {
            const std::int64_t h =
                GetMonitorFromXYPoint(static_cast<int>(x + cellWidth / 2), static_cast<int>(y + cellHeight / 2), kMonitorDefaultToNull);
            // 0: no monitor there; -1: the probe itself failed, which names no monitor either.
            if (h != 0 && h != -1) add(h);
            if (enough != 0 && monitors_.size() >= enough) return;
        }
    }
}

void MonitorScreens::add(std::int64_t monitorHandle) {
    if (!keys_.insert(std::to_string(monitorHandle)).second) return;  // met by an earlier probe
    DisplayMonitor m(displays_);
    m.fill(monitorHandle);
    monitors_.push_back(std::move(m));
}

int MonitorScreens::DesktopLeft() { return displays_.metric(kSmCMonitors) != 0 ? displays_.metric(kSmXVirtualScreen) : 0; }

int MonitorScreens::DesktopTop() { return displays_.metric(kSmCMonitors) != 0 ? displays_.metric(kSmYVirtualScreen) : 0; }

int MonitorScreens::DesktopWidth() {
    return displays_.metric(kSmCMonitors) != 0 ? displays_.metric(kSmCxVirtualScreen) : displays_.screenWidth();
}

int MonitorScreens::DesktopHeight() {
    return displays_.metric(kSmCMonitors) != 0 ? displays_.metric(kSmCyVirtualScreen) : displays_.screenHeight();
}

std::int64_t MonitorScreens::GetMonitorFromXYPoint(int X, int Y, int Flags) {
    try {
        return displays_.monitorFromPoint(X, Y, Flags);
    } catch (const std::exception&) {
        return -1;
    }
}

std::int16_t MonitorScreens::monitorIdOfDevice(const std::string& DeviceName) const {
    for (std::size_t i = 0; i < monitors_.size(); ++i)
        if (monitors_[i].DeviceName == DeviceName) return static_cast<std::int16_t>(i + 1);
    return -1;
}

}  // namespace plenvik
