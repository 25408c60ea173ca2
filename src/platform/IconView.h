// Explorer's desktop icon view: reading labels and positions, moving icons, the view's style word.
// Behind it: the folder view (IFolderView) where the shell offers it, else the list view in Explorer's
// process (remote memory laid out for Explorer's bitness).
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
};

class IconView {
public:
    virtual ~IconView() = default;
    // False when no desktop view was found (every other call then reports an empty desktop).
    virtual bool available() = 0;
    // All items in the view's index order, in one pass over the process boundary.
    virtual std::vector<IconItem> readAll() = 0;
    virtual int itemCount() = 0;
    // The position of item index (from 0); (0, 0) when it cannot be read.
    virtual IconPosition position(int index) = 0;
    // Moves item index; false when the view refused it.
    virtual bool setPosition(int index, IconPosition to) = 0;
    // GWL_STYLE of the list view; 0 when there is none.
    virtual std::int32_t styleWord() = 0;
    virtual bool setStyleWord(std::int32_t style) = 0;
    // LVM_ARRANGE with the given code (5 = snap to grid).
    virtual bool arrange(int code) = 0;
    // Redraw and F5: the shell re-reads its desktop folders.
    virtual void refresh() = 0;
    virtual void redrawWithBackground() = 0;
};

}  // namespace plenvik
