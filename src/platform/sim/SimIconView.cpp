#include "platform/sim/SimIconView.h"

#include <map>
#include <utility>

namespace plenvik::sim {

SimIconView::SimIconView(FileSystem& files, Registry* registry, SimDesktopSetup setup)
    : files_(files),
      registry_(registry),
      folders_(std::move(setup.folders)),
      knownTypes_(std::move(setup.knownTypes)),
      model_(setup.grid, setup.style, setup.snapToGrid, setup.behaviour),
      route_(setup.route),
      deferredRefresh_(setup.deferredRefresh) {
    model_.sync(readEntries());
}

std::vector<DesktopEntry> SimIconView::readEntries() {
    return readDesktopEntries(files_, registry_, folders_,
                              [this](std::string_view extension) { return knownTypes_.count(std::string(extension)) > 0; });
}

std::vector<IconItem> SimIconView::readAll() {
    std::vector<IconItem> items;
    if (!present_) return items;
    for (const DesktopModelItem& item : model_.items())
        items.push_back({item.entry.label, item.position, folderView() ? item.entry.parsingName : std::string()});
    return items;
}

int SimIconView::itemCount() { return present_ ? model_.count() : 0; }

std::string SimIconView::label(int index) { return exists(index) ? model_.items()[index].entry.label : std::string(); }

IconPosition SimIconView::position(int index) { return exists(index) ? model_.items()[index].position : IconPosition{}; }

bool SimIconView::setPosition(int index, IconPosition to) {
    return present_ && model_.move(index, to, folderView() ? MoveOrigin::FolderView : MoveOrigin::OtherProcess);
}

std::int32_t SimIconView::styleWord() { return present_ ? model_.style() : 0; }

bool SimIconView::setStyleWord(std::int32_t style) {
    if (!present_) return false;
    if (folderView())
        model_.setFolderStyle(style);
    else
        model_.setStyle(style);
    return true;
}

std::optional<bool> SimIconView::snapToGrid() {
    if (!folderView()) return std::nullopt;
    return model_.snapToGrid();
}

bool SimIconView::setSnapToGrid(bool on) {
    if (!folderView()) return false;
    model_.setSnapToGrid(on);
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
    refreshPending_ = true;
    if (!deferredRefresh_) settle();
}

void SimIconView::settle() {
    if (!refreshPending_) return;
    refreshPending_ = false;
    model_.sync(readEntries());
}

void SimIconView::restart() {
    std::map<std::string, IconPosition> stored;
    for (const DesktopModelItem& item : model_.items()) stored[item.entry.key] = item.kept;
    DesktopModel fresh(model_.grid(), model_.style(), model_.snapToGrid(), model_.behaviour());
    fresh.setFolderStyle(model_.folderStyle());
    fresh.sync(readEntries());
    for (int i = 0; i < fresh.count(); ++i)
        if (const auto it = stored.find(fresh.items()[i].entry.key); it != stored.end()) fresh.place(i, it->second);
    model_ = std::move(fresh);
    refreshPending_ = false;
}

}  // namespace plenvik::sim
