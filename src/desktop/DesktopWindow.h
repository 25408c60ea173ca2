// The desktop's view style, its arranging and its refresh, and the snap-to-grid test. DesktopWindow keeps
// no state: every call asks the icon view, which looks the desktop up anew.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/IconView.h"

namespace plenvik {

class ErrorHandler;

// The view types of the style word's lowest two bits.
inline constexpr std::int32_t kViewIcon = 0, kViewReport = 1, kViewSmallIcon = 2, kViewList = 3;
// Arrange codes as stored in a project: 5 when the desktop snaps icons to the grid, 0 otherwise.
inline constexpr int kArrangeCodeSnapToGrid = 5, kArrangeCodeNone = 0;

class DesktopWindow {
public:
    explicit DesktopWindow(IconView& view) : view_(view) {}

    // Redraws the desktop and makes the shell re-read its desktop folders (F5).
    void RefreshDesktop();
    // Redraws the desktop with its background.
    void RefreshDesktopWithBkg();
    // Clears the mask bits of the style word and sets the given bits; false when there is no desktop.
    bool setViewStyle(std::int32_t bits, std::int32_t mask);
    // The desktop list view's style word; 0 when there is none.
    std::int32_t viewStyle();
    // The view type's German name, with ", Automatisch anordnen" when auto-arrange is on.
    static std::string describeViewStyle(std::int32_t style);
    // Arranges the icons (code 5: each to its nearest grid cell, once); false when there is no desktop.
    bool setArrangeStyle(std::int32_t code);

private:
    IconView& view_;
};

// Whether the desktop snaps icons to the grid: 5 when it does, 0 when not or when the desktop has no
// icon. The folder view is asked; where only the list view answers, the first icon is moved one pixel
// up and left: it snaps when the desktop put it elsewhere (it stays where the grid put it), it does not
// when it stayed there (it is moved back). The table is read anew when refresh is set or empty.
int measureSnapToGrid(IconView& view, ErrorHandler& errors, std::vector<IconItem>& icons, bool refresh);

}  // namespace plenvik
