#include "project/CurrentDesktop.h"

#include "desktop/DesktopIcons.h"

namespace plenvik {

void readCurrentIcons(CurrentDesktop& desktop, IconView& view, ErrorHandler& errors) {
    std::vector<IconItem> items;
    readDesktopIcons(view, errors, items);
    fillIconTable(desktop.icons, items);
    desktop.icons.insert(desktop.icons.begin(), DesktopIcon{});
}

}  // namespace plenvik
