// Explorer's desktop icon view: reading labels and positions, moving icons, the view's style word.
// Behind it: the folder view (IFolderView) where the shell offers it, else the list view in Explorer's
// process (remote memory laid out for Explorer's bitness). Every call looks the desktop up anew and
// releases what it took before it returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plenvik {

struct IconPosition {
    int x = 0, y = 0;
    bool operator==(const IconPosition&) const = default;
};

struct IconItem {
    std::string label;  // as the view shows it, whole
    IconPosition position;
    // What the shell says the item is, where the route can tell (the folder view): the full path of a
    // file or folder, or "::{CLSID}" of a system icon. Empty on the list-view route.
    std::string parsingName{};
    bool operator==(const IconItem&) const = default;
};

// How the desktop is reached. Only moves made through the folder view survive the shell's next
// refresh on current Windows; the list view's are shown and then discarded.
enum class IconRoute { None, FolderView, ListView };

class IconView {
public:
    virtual ~IconView() = default;
    // Which route answers now; None when no desktop view was found.
    virtual IconRoute route() = 0;
    // False when no desktop view was found (every other call then reports an empty desktop).
    bool available() { return route() != IconRoute::None; }
    // All items in the view's index order, in one pass over the process boundary.
    virtual std::vector<IconItem> readAll() = 0;
    virtual int itemCount() = 0;
    // The label of item index (from 0), whole; empty when it cannot be read.
    virtual std::string label(int index) {
        const std::vector<IconItem> all = readAll();
        return index >= 0 && index < static_cast<int>(all.size()) ? all[index].label : std::string();
    }
    // The position of item index (from 0); (0, 0) when it cannot be read.
    virtual IconPosition position(int index) = 0;
    // Moves item index; false when the view refused it.
    virtual bool setPosition(int index, IconPosition to) = 0;
    // The view's style word: GWL_STYLE of the list view, with view type and auto-arrange as the folder
    // view reports them on that route; 0 when there is no view.
    virtual std::int32_t styleWord() = 0;
    // On the folder-view route only view type and auto-arrange are taken (through the folder view, which
    // keeps them); on the list-view route the word goes into the window. False when there is no view.
    virtual bool setStyleWord(std::int32_t style) = 0;
    // Snap-to-grid as the folder view reports it; nullopt where the route cannot tell (the list view).
    virtual std::optional<bool> snapToGrid() = 0;
    // Through the folder view; false where the route cannot set it.
    virtual bool setSnapToGrid(bool on) = 0;
    // LVM_ARRANGE with the given code (5 = snap each icon to the grid); false when there is no view.
    virtual bool arrange(int code) = 0;
    // Redraw and F5: the shell re-reads its desktop folders.
    virtual void refresh() = 0;
    // Redraw with the background erased.
    virtual void redrawWithBackground() = 0;
};

}  // namespace plenvik
