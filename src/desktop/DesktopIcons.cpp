#include "desktop/DesktopIcons.h"

#include <limits>

#include "common/Text.h"
#include "errors/Procedure.h"
#include "platform/SystemInfo.h"

namespace plenvik {

namespace {

// One pixel before v; the lowest coordinate has none.
int onePixelBefore(int v) {
    if (v == std::numeric_limits<int>::min()) throw RuntimeError(6, kAppTitle, "Überlauf");
    return v - 1;
}

}  // namespace

bool isPlatformNT(SystemInfo& system) { return system.osVersion().platformId == 2; }

std::string readListViewLabel(IconView& view, int index) { return trimAtNull(view.label(index)); }

bool readDesktopIcons(IconView& view, ErrorHandler& errors, std::vector<IconItem>& icons) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconsGet");
    bool completed = false;
    procedure.run([&] {
        icons.clear();
        procedure.step([&] { icons = view.readAll(); });
        for (IconItem& icon : icons) icon.label = trimRight(trimAtNull(icon.label));
        completed = true;
    });
    return completed;
}

bool iconIsAt(IconView& view, ErrorHandler& errors, int index, int x, int y) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconGet");
    bool there = false;
    procedure.run([&] { procedure.step([&] { there = view.position(index) == IconPosition{x, y}; }); });
    return there;
}

bool moveDesktopIcon(IconView& view, ErrorHandler& errors, int index, int x, int y) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconSet");
    bool there = false;
    procedure.run([&] {
        procedure.step([&] { view.setPosition(index, {onePixelBefore(x), onePixelBefore(y)}); });
        procedure.step([&] { view.setPosition(index, {x, y}); });
        there = iconIsAt(view, errors, index, x, y);
    });
    return there;
}

}  // namespace plenvik
