// Explorer's desktop icon view: reading labels and positions, moving icons, the view's style word.
// Behind it: the folder view (IFolderView) where the shell offers it, else the list view in Explorer's
// process (remote memory laid out for Explorer's bitness). Every call looks the desktop up anew and
// releases what it took before it returns.
#pragma once

#include <cstdint>
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
    bool operator==(const IconItem&) const = default;
};

class IconView {
public:
    virtual ~IconView() = default;
    // False when no desktop view was found (every other call then reports an empty desktop).
    virtual bool available() = 0;
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
    // GWL_STYLE of the list view; 0 when there is none.
    virtual std::int32_t styleWord() = 0;
    // False when there is no list view.
    virtual bool setStyleWord(std::int32_t style) = 0;
    // LVM_ARRANGE with the given code (5 = snap each icon to the grid); false when there is no view.
    virtual bool arrange(int code) = 0;
    // Redraw and F5: the shell re-reads its desktop folders.
    virtual void refresh() = 0;
    // Redraw with the background erased.
    virtual void redrawWithBackground() = 0;
};

}  // namespace plenvik
