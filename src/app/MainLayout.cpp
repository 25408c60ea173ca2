#include "app/MainLayout.h"

#include <stdexcept>

namespace plenvik {

MainLayout::MainLayout() {
    constexpr int w = kDesignWidth, h = kDesignHeight;
    constexpr int buttonsHeight = 1000;
    const int buttonsTop = h - buttonsHeight + 30;
    const int mainTop = 360;
    const int mainHeight = buttonsTop - 400;

    // The directory row on top.
    place("fraProject", {0, 0, w, 360});
    place("lblProjectName", {120, 60, 1200, 255});
    place("txtDirectoryName", {1380, 30, 8400, 300});
    place("lblCmdDirChoose", {9840, 30, 600, 300});

    place("fraMain", {0, mainTop, w, mainHeight});
    placeInFrame("fraMain", "imgMain", {120, 240, 480, 480});
    placeInFrame("fraMain", "lblProjects", {720, 240, 1500, 240});
    placeInFrame("fraMain", "lvwProjects", {720, 480, 8160, 1800});
    placeInFrame("fraMain", "ctlPictureView", {9000, 240, 2700, 2040});
    placeInFrame("fraMain", "lblProjectData", {120, 2340, 1500, 240});
    placeInFrame("fraMain", "lvwProjectData", {120, 2580, w - 375, 1500});
    placeInFrame("fraMain", "lvwProjectIcons", {120, 4140, w - 375, mainHeight - 5000});
    placeInFrame("fraMain", "lblInfo", {120, 4140 + mainHeight - 5000 + 15, w - 375, 255});

    place("fraButtons", {0, buttonsTop, w, buttonsHeight});
    placeInFrame("fraButtons", "lblInfoMonitore", {120, 60, w - 375, 255});
    placeInFrame("fraButtons", "lblCmdProjectSave", {120, 400, 2300, 480});
    placeInFrame("fraButtons", "lblCmdDesktopRestore", {2480, 400, 2600, 480});
    placeInFrame("fraButtons", "lblCmdChangeDesktopSettings", {5140, 400, 1900, 480});
    placeInFrame("fraButtons", "lblCmdSettings", {7100, 400, 1300, 480});
    placeInFrame("fraButtons", "lblCmdProtokoll", {8460, 400, 1500, 480});
    placeInFrame("fraButtons", "picProgressBar", {10020, 400, 1800, 300});
    placeInFrame("fraButtons", "lblCmdClose", {10020, 720, 1100, 255});
}

void MainLayout::placeInFrame(const std::string& frame, const std::string& control, ControlRect relative) {
    relative_[control] = {frame, relative};
    const ControlRect& f = rect(frame);
    place(control, {f.left + relative.left, f.top + relative.top, relative.width, relative.height});
}

const ControlRect& MainLayout::rect(const std::string& control) const {
    const auto it = rects_.find(control);
    if (it == rects_.end()) throw std::out_of_range("no control " + control);
    return it->second;
}

void MainLayout::resize(int innerWidth, int innerHeight) {
    auto inFrame = [&](const std::string& control) -> ControlRect& { return relative_.at(control).second; };
    if (innerWidth > 2000) {
        at("fraProject").width = innerWidth;
        at("fraMain").width = innerWidth;
        at("fraButtons").width = innerWidth;
        inFrame("lvwProjectData").width = innerWidth - 375;
        inFrame("lvwProjectIcons").width = innerWidth - 375;
    }
    if (innerHeight > 6500) {
        ControlRect& buttons = at("fraButtons");
        buttons.top = innerHeight - buttons.height + 30;
        at("fraMain").height = buttons.top - 400;
        ControlRect& icons = inFrame("lvwProjectIcons");
        icons.height = at("fraMain").height - 5000;
        inFrame("lblInfo").top = icons.top + icons.height + 15;
    }
    for (const auto& [control, placed] : relative_) {
        const ControlRect& f = rect(placed.first);
        rects_[control] = {f.left + placed.second.left, f.top + placed.second.top, placed.second.width, placed.second.height};
    }
}

}  // namespace plenvik
