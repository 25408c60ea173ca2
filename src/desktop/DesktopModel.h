// How Explorer's desktop places its icons, as one model for the simulated desktop and the test shell:
// icons on a grid of cells filled column by column, snap-to-grid (a move lands on the nearest cell),
// arranging (each icon to its nearest free cell, or all in order), auto-arrange, and the refresh that
// re-reads the desktop folders and keeps what it knew.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "desktop/DesktopEntries.h"
#include "platform/IconView.h"

namespace plenvik {

// List-view style bits and arrange codes the model acts on.
inline constexpr std::int32_t kStyleViewTypeMask = 0x3, kStyleAutoArrange = 0x100;
inline constexpr int kArrangeSnapToGrid = 5;

struct GridCell {
    int column = 0, row = 0;
    bool operator==(const GridCell&) const = default;
};

struct DesktopGrid {
    int left = 20, top = 10;                  // position of the first cell
    int cellWidth = 100, cellHeight = 90;     // spacing of the cells
    int rows = 8;                             // cells per column (the height of the desktop)

    IconPosition position(GridCell cell) const;
    // The cell closest to a position; columns from 0 on, rows within the desktop.
    GridCell nearest(IconPosition p) const;
    bool isCellPosition(IconPosition p) const { return position(nearest(p)) == p; }
};

struct DesktopModelItem {
    DesktopEntry entry;
    IconPosition position;
};

// What a refresh changed, so that a view can mirror it: items removed (indices before the refresh,
// ascending) and how many were appended at the end.
struct DesktopSync {
    std::vector<int> removed;
    int appended = 0;
    bool changed() const { return !removed.empty() || appended > 0; }
};

class DesktopModel {
public:
    DesktopModel(DesktopGrid grid, std::int32_t style, bool snapToGrid);

    const DesktopGrid& grid() const { return grid_; }
    const std::vector<DesktopModelItem>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    std::optional<int> indexOfLabel(std::string_view label) const;

    std::int32_t style() const { return style_; }
    // Switching auto-arrange on arranges the icons at once.
    void setStyle(std::int32_t style);
    bool autoArrange() const { return (style_ & kStyleAutoArrange) != 0; }
    bool snapToGrid() const { return snapToGrid_; }
    void setSnapToGrid(bool on) { snapToGrid_ = on; }

    // Takes the desktop's entries: known ones (by key) keep index and position, gone ones vanish, new
    // ones are appended on the next free cell.
    DesktopSync sync(const std::vector<DesktopEntry>& entries);
    // A move as the desktop makes it: to the nearest cell with snap-to-grid, nowhere with auto-arrange.
    // False for an index that does not exist.
    bool move(int index, IconPosition to);
    // Puts an icon exactly there, whatever the options (the positions the desktop starts with).
    bool place(int index, IconPosition at);
    // kArrangeSnapToGrid: each icon to its nearest free cell; any other code: all icons in index order.
    void arrange(int code);

    // The first cell, column by column, that no icon occupies (an icon occupies its nearest cell).
    GridCell nextFreeCell() const;

private:
    void arrangeInOrder();
    void snapEachToNearestFreeCell();

    DesktopGrid grid_;
    std::int32_t style_;
    bool snapToGrid_;
    std::vector<DesktopModelItem> items_;
};

}  // namespace plenvik
