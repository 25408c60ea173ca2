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

bool fc_IsPlatformNT(SystemInfo& system) { return system.osVersion().platformId == 2; }

std::string GetLVWLabel(IconView& view, int index) { return fc_StringTrimNull(view.label(index)); }

bool fc_DesktopIconsGet(IconView& view, ErrorHandler& errors, std::vector<IconItem>& icons) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconsGet");
    bool completed = false;
    procedure.run([&] {
        icons.clear();
        procedure.step([&] { icons = view.readAll(); });
        for (IconItem& icon : icons) icon.label = trimRight(fc_StringTrimNull(icon.label));
        completed = true;
    });
    return completed;
}

bool fc_DesktopIconGet(IconView& view, ErrorHandler& errors, int index, int x, int y) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconGet");
    bool there = false;
    procedure.run([&] { procedure.step([&] { there = view.position(index) == IconPosition{x, y}; }); });
    return there;
}

bool fc_DesktopIconSet(IconView& view, ErrorHandler& errors, int index, int x, int y) {
    Procedure procedure(errors, "frmMain.fc_DesktopIconSet");
    bool there = false;
    procedure.run([&] {
        procedure.step([&] { view.setPosition(index, {onePixelBefore(x), onePixelBefore(y)}); });
        procedure.step([&] { view.setPosition(index, {x, y}); });
        there = fc_DesktopIconGet(view, errors, index, x, y);
    });
    return there;
}

}  // namespace plenvik
