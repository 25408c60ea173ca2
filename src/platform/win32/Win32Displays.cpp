#include "platform/win32/Win32Displays.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace plenvik::win32 {

namespace {

Rect toRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A mode record that the display calls accept: its own size, no driver-private data behind it.
DEVMODEW emptyDevMode() {
    DEVMODEW dm;
    ZeroMemory(&dm, sizeof dm);
    dm.dmSize = sizeof dm;
    dm.dmDriverExtra = 0;
    return dm;
}

// The device's name as a W string; null (the current display device) for an empty name.
struct DeviceArg {
    explicit DeviceArg(const std::string& device) : name(widen(device)) {}
    const wchar_t* get() const { return name.empty() ? nullptr : name.c_str(); }
    std::wstring name;
};

}  // namespace

int Win32Displays::metric(int index) { return GetSystemMetrics(index); }
int Win32Displays::screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Displays::screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

std::int64_t Win32Displays::monitorFromPoint(int x, int y, int flags) {
    const RECT r{x, y, x + 1, y + 1};
    return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(MonitorFromRect(&r, static_cast<DWORD>(flags))));
}

std::optional<MonitorInfo> Win32Displays::monitorInfo(std::int64_t monitor) {
    MONITORINFOEXW mi;
    ZeroMemory(&mi, sizeof mi);
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoW(reinterpret_cast<HMONITOR>(static_cast<std::intptr_t>(monitor)), &mi)) return std::nullopt;
    // szDevice is a fixed buffer: the name ends at its first NUL, or at the buffer's end.
    std::size_t length = 0;
    while (length < CCHDEVICENAME && mi.szDevice[length] != L'\0') ++length;
    return MonitorInfo{toRect(mi.rcMonitor), toRect(mi.rcWork), narrow(std::wstring_view(mi.szDevice, length))};
}

std::optional<DisplayMode> Win32Displays::enumMode(const std::string& device, int modeNumber) {
    const DeviceArg name(device);
    DEVMODEW dm = emptyDevMode();
    if (!EnumDisplaySettingsExW(name.get(), static_cast<DWORD>(modeNumber), &dm, 0)) return std::nullopt;
    DisplayMode m;
    m.width = static_cast<int>(dm.dmPelsWidth);
    m.height = static_cast<int>(dm.dmPelsHeight);
    m.bitsPerPixel = static_cast<int>(dm.dmBitsPerPel);
    m.frequency = static_cast<int>(dm.dmDisplayFrequency);
    m.positionX = dm.dmPosition.x;
    m.positionY = dm.dmPosition.y;
    m.fields = dm.dmFields;
    m.displayFlags = dm.dmDisplayFlags;
    m.orientation = dm.dmDisplayOrientation;
    m.fixedOutput = dm.dmDisplayFixedOutput;
    return m;
}

long Win32Displays::changeMode(const std::string& device, const DisplayMode& mode, std::uint32_t flags) {
    const DeviceArg name(device);
    DEVMODEW dm = emptyDevMode();
    dm.dmFields = mode.fields;
    dm.dmPelsWidth = static_cast<DWORD>(mode.width);
    dm.dmPelsHeight = static_cast<DWORD>(mode.height);
    dm.dmBitsPerPel = static_cast<DWORD>(mode.bitsPerPixel);
    dm.dmDisplayFrequency = static_cast<DWORD>(mode.frequency);
    dm.dmPosition.x = mode.positionX;
    dm.dmPosition.y = mode.positionY;
    dm.dmDisplayFlags = mode.displayFlags;
    dm.dmDisplayOrientation = mode.orientation;
    dm.dmDisplayFixedOutput = mode.fixedOutput;
    return ChangeDisplaySettingsExW(name.get(), &dm, nullptr, flags, nullptr);
}

}  // namespace plenvik::win32
