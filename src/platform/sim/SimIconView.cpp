#include "platform/sim/SimIconView.h"

#include <utility>

namespace plenvik::sim {

SimIconView::SimIconView(FileSystem& files, Registry* registry, SimDesktopSetup setup)
    : files_(files), registry_(registry), folders_(std::move(setup.folders)),
      model_(setup.grid, setup.style, setup.snapToGrid) {
    model_.sync(readDesktopEntries(files_, registry_, folders_));
}

std::vector<IconItem> SimIconView::readAll() {
    std::vector<IconItem> items;
    if (!present_) return items;
    for (const DesktopModelItem& item : model_.items()) items.push_back({item.entry.label, item.position});
    return items;
}

int SimIconView::itemCount() { return present_ ? model_.count() : 0; }

std::string SimIconView::label(int index) { return exists(index) ? model_.items()[index].entry.label : std::string(); }

IconPosition SimIconView::position(int index) { return exists(index) ? model_.items()[index].position : IconPosition{}; }

bool SimIconView::setPosition(int index, IconPosition to) { return present_ && model_.move(index, to); }

std::int32_t SimIconView::styleWord() { return present_ ? model_.style() : 0; }

bool SimIconView::setStyleWord(std::int32_t style) {
    if (!present_) return false;
    model_.setStyle(style);
    return true;
}

bool SimIconView::arrange(int code) {
    if (!present_) return false;
    model_.arrange(code);
    return true;
}

void SimIconView::refresh() {
    if (!present_) return;
    ++refreshes_;
    model_.sync(readDesktopEntries(files_, registry_, folders_));
}

}  // namespace plenvik::sim
