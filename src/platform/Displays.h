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

// One display mode of a device (the fields of DEVMODE the program uses).
struct DisplayMode {
    int width = 0, height = 0, bitsPerPixel = 0, frequency = 0;
    int positionX = 0, positionY = 0;
    std::uint32_t fields = 0;  // DM_* bits; 0x20 = position
    bool operator==(const DisplayMode&) const = default;
};

inline constexpr std::uint32_t kDmPosition = 0x20;
inline constexpr std::uint32_t kCdsReset = 0x40000000;

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
    // ENUM_CURRENT_SETTINGS (-1), ENUM_REGISTRY_SETTINGS (-2) or a mode number from 0.
    virtual std::optional<DisplayMode> enumMode(const std::string& device, int modeNumber) = 0;
    // ChangeDisplaySettingsEx: the platform's result code (0 changed, 1 restart, -1 failed, -2 bad mode, ...).
    virtual long changeMode(const std::string& device, const DisplayMode& mode, std::uint32_t flags) = 0;
};

inline constexpr int kEnumCurrentSettings = -1, kEnumRegistrySettings = -2;

}  // namespace plenvik
