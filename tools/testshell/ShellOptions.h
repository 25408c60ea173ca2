// The test shell's command line.
//   --grid L,T,W,H     first cell at (L, T), cells W x H pixels (default 20,10,100,90)
//   --style HEX        view type and auto-arrange bits of the list view (mask 0x103; default 0)
//   --snap             snap to the grid (LVS_EX_SNAPTOGRID)
//   --no-system-icons  show no system icons (else those the registry leaves visible)
//   --icons FILE       the icon set: one label per line (UTF-8) instead of the desktop folders
//   --positions FILE   start positions: "x y label" per line (UTF-8)
//   --workerw          put the view below a WorkerW window, as current Windows does (Progman stays empty)
//   --size WxH         client size of the desktop window (default 1024x768)
//   --ready FILE       written ("pid progman defview listview", hex handles) when the desktop is ready
//   --dump FILE        written whenever Progman receives kDumpMessage (see ShellListView.h)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "desktop/DesktopModel.h"

namespace plenvik::testshell {

struct ShellOptions {
    DesktopGrid grid{};
    std::int32_t style = 0;
    bool snap = false;
    bool systemIcons = true;
    bool workerW = false;
    int width = 1024, height = 768;
    std::wstring iconsFile, positionsFile, readyFile, dumpFile;
};

// nullopt and a message for an unknown option or a bad value.
std::optional<ShellOptions> parseShellOptions(const std::vector<std::wstring>& arguments, std::string& error);

}  // namespace plenvik::testshell
