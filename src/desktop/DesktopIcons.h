// Reading and moving the desktop's icons through the icon view: the whole desktop into a table, one
// icon's position checked, one icon moved. Each operation reports run-time failures to the central
// error handler under its qualified name.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/IconView.h"

namespace plenvik {

class ErrorHandler;
class SystemInfo;

// True on an NT-family system.
bool isPlatformNT(SystemInfo& system);

// The label of item index, whole, up to its first NUL.
std::string readListViewLabel(IconView& view, int index);

// Reads every icon in the view's index order, labels without trailing blanks. The table is replaced
// (emptied first). True when the procedure ran to its end. The files behind the icons are the
// inventory's business; callers have it fill them afterwards.
bool readDesktopIcons(IconView& view, ErrorHandler& errors, std::vector<IconItem>& icons);

// True when item index lies exactly at (x, y). An item that does not exist reads as (0, 0).
bool iconIsAt(IconView& view, ErrorHandler& errors, int index, int x, int y);

// Moves item index to (x - 1, y - 1) and then to (x, y); the result is iconIsAt for (x, y),
// so it is false when the desktop put the icon elsewhere (snap-to-grid, auto-arrange).
bool moveDesktopIcon(IconView& view, ErrorHandler& errors, int index, int x, int y);

// Fills a table of icon records (fields PosOrder, Name, PosX, PosY; PosOrder counts from 1) from what
// readDesktopIcons read; every other field of the records is left as constructed.
template <class Icon>
void fillIconTable(std::vector<Icon>& table, const std::vector<IconItem>& icons) {
    table.clear();
    table.reserve(icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        Icon icon{};
        icon.PosOrder = static_cast<decltype(icon.PosOrder)>(i + 1);
        icon.Name = icons[i].label;
        icon.PosX = icons[i].position.x;
        icon.PosY = icons[i].position.y;
        if constexpr (requires { icon.ParsingName; }) icon.ParsingName = icons[i].parsingName;
        table.push_back(std::move(icon));
    }
}

}  // namespace plenvik
