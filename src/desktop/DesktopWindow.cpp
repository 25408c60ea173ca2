#include "desktop/DesktopWindow.h"

#include <limits>
#include <optional>

#include "desktop/DesktopIcons.h"
#include "errors/Procedure.h"

namespace plenvik {

void DesktopWindow::RefreshDesktop() { view_.refresh(); }

void DesktopWindow::RefreshDesktopWithBkg() { view_.redrawWithBackground(); }

bool DesktopWindow::setViewStyle(std::int32_t bits, std::int32_t mask) {
    if (!view_.available()) return false;
    const std::int32_t style = view_.styleWord();
    return view_.setStyleWord((style & ~mask) | bits);
}

std::int32_t DesktopWindow::viewStyle() { return view_.styleWord(); }

std::string DesktopWindow::describeViewStyle(std::int32_t style) {
    std::string text;
    switch (style & 3) {
    case kViewIcon: text = "Symbole (normal)"; break;
    case kViewReport: text = "Details"; break;
    case kViewSmallIcon: text = "Symbole klein"; break;
    default: text = "Liste"; break;
    }
    if (style & 0x100) text += ", Automatisch anordnen";
    return text;
}

bool DesktopWindow::setArrangeStyle(std::int32_t code) { return view_.arrange(code); }

int measureSnapToGrid(IconView& view, ErrorHandler& errors, std::vector<IconItem>& icons, bool refresh) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconCheckSnapToGrid");
    int code = kArrangeCodeNone;
    procedure.run([&] {
        if (refresh || icons.empty()) readDesktopIcons(view, errors, icons);
        if (icons.empty()) return;
        // The folder view says whether it snaps; only the list view has to be measured.
        std::optional<bool> snaps;
        procedure.step([&] { snaps = view.snapToGrid(); });
        if (snaps) {
            code = *snaps ? kArrangeCodeSnapToGrid : kArrangeCodeNone;
            return;
        }
        // The first icon as it lies now: a table read earlier may be out of date, and the icon must
        // end where it is, not where the table remembers it.
        IconPosition start{};
        procedure.step([&] { start = view.position(0); });
        icons[0].position = start;
        if (start.x == std::numeric_limits<int>::min() || start.y == std::numeric_limits<int>::min()) return;
        if (moveDesktopIcon(view, errors, 0, start.x - 1, start.y - 1)) {
            moveDesktopIcon(view, errors, 0, start.x, start.y);
            return;
        }
        code = kArrangeCodeSnapToGrid;
        procedure.step([&] { icons[0].position = view.position(0); });
    });
    return code;
}

}  // namespace plenvik
