// Monitors and display modes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plenvik {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct MonitorInfo {
    Rect monitor;
    Rect work;
    std::string deviceName;  // "\\.\DISPLAY1"
};

// One display mode of a device: the fields of the platform's mode record that the program reads or
// hands back when it applies a mode. Orientation and fixed output travel along so that applying an
// enumerated mode never turns a rotated display back.
struct DisplayMode {
    int width = 0, height = 0, bitsPerPixel = 0, frequency = 0;
    int positionX = 0, positionY = 0;
    std::uint32_t fields = 0;  // DM_* bits; 0x20 = position
    std::uint32_t displayFlags = 0, orientation = 0, fixedOutput = 0;
    bool operator==(const DisplayMode&) const = default;
};

// DM_* bits of the field mask.
inline constexpr std::uint32_t kDmPosition = 0x20;
inline constexpr std::uint32_t kDmDisplayOrientation = 0x80;
inline constexpr std::uint32_t kDmBitsPerPel = 0x40000;
inline constexpr std::uint32_t kDmPelsWidth = 0x80000;
inline constexpr std::uint32_t kDmPelsHeight = 0x100000;
inline constexpr std::uint32_t kDmDisplayFlags = 0x200000;
inline constexpr std::uint32_t kDmDisplayFrequency = 0x400000;
inline constexpr std::uint32_t kDmDisplayFixedOutput = 0x20000000;

// ChangeDisplaySettingsEx flag: apply even when the settings equal the current ones.
inline constexpr std::uint32_t kCdsReset = 0x40000000;

// ChangeDisplaySettingsEx results.
inline constexpr long kDispChangeSuccessful = 0, kDispChangeRestart = 1, kDispChangeFailed = -1, kDispChangeBadMode = -2,
                      kDispChangeNotUpdated = -3, kDispChangeBadFlags = -4, kDispChangeBadParam = -5;

// GetSystemMetrics indexes.
inline constexpr int kSmXVirtualScreen = 76, kSmYVirtualScreen = 77, kSmCxVirtualScreen = 78, kSmCyVirtualScreen = 79, kSmCMonitors = 80;

// MonitorFromRect flags.
inline constexpr int kMonitorDefaultToNull = 0, kMonitorDefaultToPrimary = 1;

inline constexpr int kEnumCurrentSettings = -1, kEnumRegistrySettings = -2;

// A backend reports a failing platform call by throwing; "no such monitor/mode" is an empty result.
class Displays {
public:
    virtual ~Displays() = default;
    // GetSystemMetrics: 76/77 virtual screen left/top, 78/79 its size, 80 monitor count.
    virtual int metric(int index) = 0;
    // Screen size in pixels of the primary monitor (the single-monitor fallback).
    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
    // MonitorFromRect for the 1x1 rectangle at (x, y); 0 = none; flags 0 none, 1 primary.
    virtual std::int64_t monitorFromPoint(int x, int y, int flags) = 0;
    virtual std::optional<MonitorInfo> monitorInfo(std::int64_t monitor) = 0;
    // EnumDisplaySettingsEx for the device (empty: the current display device): ENUM_CURRENT_SETTINGS
    // (-1), ENUM_REGISTRY_SETTINGS (-2) or a mode number from 0.
    virtual std::optional<DisplayMode> enumMode(const std::string& device, int modeNumber) = 0;
    // ChangeDisplaySettingsEx without window and video parameters: the platform's result code
    // (0 changed, 1 restart, -1 failed, -2 bad mode, -3 not stored in the registry, ...).
    virtual long changeMode(const std::string& device, const DisplayMode& mode, std::uint32_t flags) = 0;
};

}  // namespace plenvik
