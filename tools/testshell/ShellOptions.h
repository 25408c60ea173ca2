// The test shell's command line. It behaves like a stock desktop unless an option switches a behaviour
// off.
//   --grid L,T,W,H     first cell at (L, T), cells W x H pixels (default: first cell at 20,10, cells as
//                      large as the list view's icon spacing from the system metrics, as on Explorer's desktop)
//   --style HEX        view type and auto-arrange bits of the list view (mask 0x103; default 0)
//   --snap / --no-snap snap to the grid (LVS_EX_SNAPTOGRID; default on)
//   --show-extensions  labels keep the extensions of known file types (default: hidden as Explorer's
//                      HideFileExt does; .lnk and .url are hidden always)
//   --keep-outside-moves  list-view moves from another thread or process are kept (default: shown until
//                      the next refresh, as on Windows 10 1809 and later)
//   --no-renumber      a refresh keeps the indices of known items (default: enumerated anew by name)
//   --no-restyle       a window style written from outside stays (default: undone at the next refresh)
//   --state FILE       where the shell keeps its positions, view style and snap state between runs
//                      (Explorer keeps them in the registry); read at start, written on every change
//   --class GUID       the class under which the shell serves its shell windows (the folder-view chain)
//                      to other processes (default kShellWindowsClass)
//   --no-system-icons  show no system icons (else those the registry leaves visible)
//   --icons FILE       the icon set: one label per line (UTF-8) instead of the desktop folders
//   --positions FILE   start positions: "x y label" per line (UTF-8)
//   --workerw          put the view below a WorkerW window, as current Windows does (Progman stays empty)
//   --size WxH         client size of the desktop window (default 1024x768)
//   --ready FILE       written ("pid progman defview listview", hex handles) when the desktop is ready
//   --dump FILE        written whenever Progman receives kDumpMessage (see ShellListView.h)
//   --hang-event NAME  the named event a list view hung by kHangMessage waits for (see ShellListView.h)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/sim/DesktopModel.h"

namespace plenvik::testshell {

// The test shell's own class of shell windows: {5F1E6C43-7D2A-4B8E-9C11-3A6B2D7E9F04}.
inline constexpr GUID kShellWindowsClass = {0x5f1e6c43, 0x7d2a, 0x4b8e, {0x9c, 0x11, 0x3a, 0x6b, 0x2d, 0x7e, 0x9f, 0x04}};

struct ShellOptions {
    DesktopGrid grid{};
    std::int32_t style = 0;
    bool snap = true;
    bool hideExtensions = true;
    StockBehaviour behaviour{};
    std::wstring stateFile;
    GUID shellWindowsClass = kShellWindowsClass;
    bool gridGiven = false;
    bool systemIcons = true;
    bool workerW = false;
    int width = 1024, height = 768;
    std::wstring iconsFile, positionsFile, readyFile, dumpFile, hangEvent;
};

// nullopt and a message for an unknown option or a bad value.
std::optional<ShellOptions> parseShellOptions(const std::vector<std::wstring>& arguments, std::string& error);

}  // namespace plenvik::testshell
