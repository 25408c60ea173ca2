// Displays of the simulated platform: a configurable set of monitors in a virtual screen, each with its
// device name, list of modes and current mode. Probes and mode changes are recorded; a change applies
// the mode (and position) to the monitor, or answers with a scripted result code.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Displays.h"

namespace plenvik::sim {

struct SimMonitor {
    std::int64_t handle = 0;
    Rect rect;
    Rect work;  // the rectangle itself when left empty
    std::string deviceName;
    std::vector<DisplayMode> modes;       // the device's mode list, in enumeration order
    DisplayMode current;                  // width and height follow the rectangle
    std::optional<DisplayMode> registry;  // the stored mode (ENUM_REGISTRY_SETTINGS); none: that request fails
    bool currentReadable = true;          // false: reading the current settings fails
    bool primary = false;
};

class SimDisplays : public Displays {
public:
    struct Probe {
        int x, y, flags;
    };
    struct Change {
        std::string device;
        DisplayMode mode;
        std::uint32_t flags;
    };

    // false: a platform without multi-monitor support (monitor count 0, no virtual-screen metrics).
    bool multiMonitor = true;
    std::vector<Probe> probes;
    std::vector<Change> changes;
    // Result codes the next mode changes give instead of checking the mode; a change is carried out
    // only for 0 and -3.
    std::deque<long> scriptedResults;
    // Called with the operation's name ("metric", "monitorFromPoint", "monitorInfo", "enumMode",
    // "changeMode") before each call; a test makes a call fail by throwing from it.
    std::function<void(const std::string& operation)> beforeCall;

    // Adds a monitor at `rect` whose current mode is width x height of the rectangle at `bits` bits and
    // `hertz`; its mode list is `modes`, or the current mode alone when empty. The first monitor
    // added is the primary one unless another is marked. Handles are 101, 102, ...
    SimMonitor& addMonitor(Rect rect, std::string deviceName, int bits = 32, int hertz = 60, std::vector<DisplayMode> modes = {});
    // A mode-list entry as the platform enumerates it (no position in the field mask).
    static DisplayMode mode(int width, int height, int bits, int hertz, std::uint32_t displayFlags = 0);

    std::vector<SimMonitor>& monitors() { return monitors_; }
    SimMonitor* find(const std::string& deviceName);
    const SimMonitor& primaryMonitor() const;

    int metric(int index) override;
    int screenWidth() override;
    int screenHeight() override;
    std::int64_t monitorFromPoint(int x, int y, int flags) override;
    std::optional<MonitorInfo> monitorInfo(std::int64_t monitor) override;
    std::optional<DisplayMode> enumMode(const std::string& device, int modeNumber) override;
    long changeMode(const std::string& device, const DisplayMode& mode, std::uint32_t flags) override;

private:
    void called(const std::string& operation);
    SimMonitor* deviceOrPrimary(const std::string& device);

    std::vector<SimMonitor> monitors_;
};

}  // namespace plenvik::sim
