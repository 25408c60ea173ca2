// All monitors attached at the moment the object is made, found by probing the virtual screen and
// numbered (from 1) in the order the probes first meet them: row by row from the top, within a row
// from left to right.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "display/DisplayMonitor.h"
#include "platform/Displays.h"

namespace plenvik {

class MonitorScreens {
public:
    // Finds the monitors at once.
    explicit MonitorScreens(Displays& displays);

    // Position + 1 is the monitor's number.
    const std::vector<DisplayMonitor>& Monitors() const { return monitors_; }
    std::vector<DisplayMonitor>& Monitors() { return monitors_; }
    int Count() const { return static_cast<int>(monitors_.size()); }
    // Monitor number 1 .. Count().
    DisplayMonitor& Monitor(int number) { return monitors_.at(static_cast<std::size_t>(number - 1)); }
    const DisplayMonitor& Monitor(int number) const { return monitors_.at(static_cast<std::size_t>(number - 1)); }

    // Forgets the monitors and finds them again. Errors while probing or reading one monitor end the
    // discovery with the monitors found so far; errors reading the screen metrics go to the caller.
    void Refresh();

    // The virtual screen; without multi-monitor support (monitor count 0) the primary screen at 0,0.
    int DesktopLeft();
    int DesktopTop();
    int DesktopWidth();
    int DesktopHeight();

    // The monitor handle of the 1x1 rectangle at (X, Y); flags 0: 0 when the point lies on no monitor,
    // 1: the primary monitor then. -1 when the platform call fails.
    std::int64_t GetMonitorFromXYPoint(int X, int Y, int Flags);

    // The number of the first monitor with exactly this device name; -1 when none has it.
    std::int16_t monitorIdOfDevice(const std::string& DeviceName) const;

    // Probe cells: the coarse grid numbers the monitors; the fine grid only looks for monitors the
    // coarse one stepped over (smaller than a cell) while the platform counts more than were found.
    static constexpr int kCellWidth = 640, kCellHeight = 480;
    static constexpr int kFineCellWidth = 32, kFineCellHeight = 24;

private:
    struct Area {
        std::int64_t left, top, width, height;
    };
    // Probes the centre of every cell of the area; stops once `enough` monitors are known (0: never).
    void scan(const Area& area, int cellWidth, int cellHeight, std::size_t enough);
    // Adds the monitor unless its handle is known already (the collection keys monitors by handle).
    void add(std::int64_t monitorHandle);

    Displays& displays_;
    std::vector<DisplayMonitor> monitors_;
    std::set<std::string> keys_;
};

}  // namespace plenvik
