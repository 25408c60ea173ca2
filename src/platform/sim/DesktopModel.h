// How a stock Windows desktop places its icons, as one model for the simulated desktop and the test
// shell: icons on a grid of cells filled column by column, snap-to-grid (a move lands on the nearest
// cell), arranging (each icon to its nearest free cell, or all in order), auto-arrange, and the refresh
// that re-reads the desktop folders. Like Explorer since Windows 10 1809 it keeps only the positions it
// was given through its own folder view: a list-view move from another process is shown until the next
// refresh, which puts the icon back where the shell kept it, enumerates the items anew in name order and
// puts the folder view's style back into the window.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/sim/DesktopEntries.h"
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
    int left = 20, top = 10;               // position of the first cell
    int cellWidth = 100, cellHeight = 90;  // spacing of the cells
    int rows = 8;                          // cells per column (the height of the desktop)

    IconPosition position(GridCell cell) const;
    // The cell closest to a position; columns from 0 on, rows within the desktop.
    GridCell nearest(IconPosition p) const;
    bool isCellPosition(IconPosition p) const { return position(nearest(p)) == p; }
};

struct DesktopModelItem {
    DesktopEntry entry;
    IconPosition position;  // where the view shows it
    IconPosition kept;      // where the shell keeps it (a refresh shows it there again)
};

// What a refresh changed, so that a view can mirror it: items removed (indices before the refresh,
// ascending) and how many were appended at the end; when reordered is set the indices of the items
// changed as well and a view must take every item anew.
struct DesktopSync {
    std::vector<int> removed;
    int appended = 0;
    bool reordered = false;
    bool changed() const { return !removed.empty() || appended > 0 || reordered; }
};

// The behaviours of a stock desktop that a kinder stand-in might leave out; all on by default.
struct StockBehaviour {
    bool discardOutsideMoves = true;  // list-view moves from another process last until the next refresh
    bool renumberOnRefresh = true;    // a refresh enumerates anew, in the order of the entries it is given
    bool restyleOnRefresh = true;     // a refresh puts the folder view's view type and auto-arrange back
};

// Who moves an icon: the shell itself (its own start positions, a drag), a client through the folder
// view (kept), or a client through the list view from another process (kept only without
// discardOutsideMoves).
enum class MoveOrigin { Shell, FolderView, OtherProcess };

class DesktopModel {
public:
    DesktopModel(DesktopGrid grid, std::int32_t style, bool snapToGrid, StockBehaviour behaviour = {});

    const DesktopGrid& grid() const { return grid_; }
    const std::vector<DesktopModelItem>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    std::optional<int> indexOfLabel(std::string_view label) const;

    const StockBehaviour& behaviour() const { return behaviour_; }

    // The window's style word: it keeps every bit written to it.
    std::int32_t style() const { return style_; }
    // A style written into the window (from any process). Switching auto-arrange on arranges the icons
    // at once; with restyleOnRefresh the next refresh undoes the view type and auto-arrange bits.
    void setStyle(std::int32_t style);
    // View type and auto-arrange as the folder view keeps them (the style bits kStyleViewTypeMask |
    // kStyleAutoArrange).
    std::int32_t folderStyle() const { return folderStyle_; }
    // Sets view type and auto-arrange through the folder view: kept, and shown in the window's word.
    void setFolderStyle(std::int32_t bits);
    bool autoArrange() const { return (style_ & kStyleAutoArrange) != 0; }
    bool snapToGrid() const { return snapToGrid_; }
    void setSnapToGrid(bool on) { snapToGrid_ = on; }

    // Takes the desktop's entries: icons known by key show where the shell keeps them, gone ones vanish,
    // new ones are appended on the next free cell. With renumberOnRefresh the items take the order of
    // entries (a fresh enumeration), else known ones keep their index and new ones come last.
    DesktopSync sync(const std::vector<DesktopEntry>& entries);
    // A move as the desktop makes it: to the nearest cell with snap-to-grid, nowhere with auto-arrange;
    // kept or only shown as origin says. False for an index that does not exist.
    bool move(int index, IconPosition to, MoveOrigin origin = MoveOrigin::Shell);
    // Puts an icon exactly there and keeps it there, whatever the options (the positions the desktop
    // starts with).
    bool place(int index, IconPosition at);
    // The index of the item the folder view calls parsingName (case-insensitive).
    std::optional<int> indexOfParsingName(std::string_view parsingName) const;
    // kArrangeSnapToGrid: each icon to its nearest free cell; any other code: all icons in index order.
    void arrange(int code);

    // The first cell, column by column, that no icon occupies (an icon occupies its nearest cell).
    GridCell nextFreeCell() const;

private:
    void arrangeInOrder();
    void snapEachToNearestFreeCell();

    DesktopGrid grid_;
    std::int32_t style_;
    std::int32_t folderStyle_;
    bool snapToGrid_;
    StockBehaviour behaviour_;
    std::vector<DesktopModelItem> items_;
};

}  // namespace plenvik
