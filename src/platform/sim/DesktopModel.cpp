#include "platform/sim/DesktopModel.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include "common/Text.h"

namespace plenvik {

namespace {

// a / b rounded to the nearest integer (halves up), for any sign of a; b > 0.
std::int64_t roundedQuotient(std::int64_t a, std::int64_t b) {
    const std::int64_t n = 2 * a + b, d = 2 * b;
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

int clampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::int64_t squaredDistance(IconPosition a, IconPosition b) {
    const std::int64_t dx = static_cast<std::int64_t>(a.x) - b.x, dy = static_cast<std::int64_t>(a.y) - b.y;
    return dx * dx + dy * dy;
}

using CellSet = std::set<std::pair<int, int>>;

}  // namespace

IconPosition DesktopGrid::position(GridCell cell) const {
    return {clampToInt(static_cast<std::int64_t>(left) + static_cast<std::int64_t>(cell.column) * cellWidth),
            clampToInt(static_cast<std::int64_t>(top) + static_cast<std::int64_t>(cell.row) * cellHeight)};
}

GridCell DesktopGrid::nearest(IconPosition p) const {
    const std::int64_t column = roundedQuotient(static_cast<std::int64_t>(p.x) - left, std::max(1, cellWidth));
    const std::int64_t row = roundedQuotient(static_cast<std::int64_t>(p.y) - top, std::max(1, cellHeight));
    return {clampToInt(std::max<std::int64_t>(0, column)), clampToInt(std::clamp<std::int64_t>(row, 0, std::max(1, rows) - 1))};
}

constexpr std::int32_t kFolderStyleMask = kStyleViewTypeMask | kStyleAutoArrange;

DesktopModel::DesktopModel(DesktopGrid grid, std::int32_t style, bool snapToGrid, StockBehaviour behaviour)
    : grid_(grid), style_(style), folderStyle_(style & kFolderStyleMask), snapToGrid_(snapToGrid), behaviour_(behaviour) {
    grid_.rows = std::max(1, grid_.rows);
    grid_.cellWidth = std::max(1, grid_.cellWidth);
    grid_.cellHeight = std::max(1, grid_.cellHeight);
}

std::optional<int> DesktopModel::indexOfLabel(std::string_view label) const {
    for (int i = 0; i < count(); ++i)
        if (items_[i].entry.label == label) return i;
    return std::nullopt;
}

std::optional<int> DesktopModel::indexOfParsingName(std::string_view parsingName) const {
    const std::string wanted = foldCase(std::string(parsingName));
    for (int i = 0; i < count(); ++i)
        if (foldCase(items_[i].entry.parsingName) == wanted) return i;
    return std::nullopt;
}

void DesktopModel::setStyle(std::int32_t style) {
    const bool wasAuto = autoArrange();
    style_ = style;
    if (!behaviour_.restyleOnRefresh) folderStyle_ = style & kFolderStyleMask;
    if (autoArrange() && !wasAuto) arrangeInOrder();
}

void DesktopModel::setFolderStyle(std::int32_t bits) {
    folderStyle_ = bits & kFolderStyleMask;
    setStyle((style_ & ~kFolderStyleMask) | folderStyle_);
}

DesktopSync DesktopModel::sync(const std::vector<DesktopEntry>& entries) {
    DesktopSync changes;
    if (behaviour_.restyleOnRefresh && (style_ & kFolderStyleMask) != folderStyle_) setStyle((style_ & ~kFolderStyleMask) | folderStyle_);

    std::unordered_map<std::string, const DesktopEntry*> present;
    for (const DesktopEntry& e : entries) present.emplace(e.key, &e);

    std::vector<DesktopModelItem> kept;
    std::unordered_map<std::string, int> known;  // key -> index among the kept items
    for (int i = 0; i < count(); ++i) {
        const auto found = present.find(items_[i].entry.key);
        if (found == present.end()) {
            changes.removed.push_back(i);
            continue;
        }
        known.emplace(items_[i].entry.key, static_cast<int>(kept.size()));
        // The label may change under a known key (a system icon the user renamed); the view shows the
        // icon where the shell keeps it.
        kept.push_back({*found->second, items_[i].kept, items_[i].kept});
    }
    items_ = std::move(kept);

    std::vector<int> order;  // entry order: index into items_ (known) or -1 - entry index (new)
    for (int e = 0; e < static_cast<int>(entries.size()); ++e) {
        const auto it = known.find(entries[e].key);
        if (it != known.end()) {
            order.push_back(it->second);
            continue;
        }
        if (!known.emplace(entries[e].key, static_cast<int>(items_.size())).second) continue;  // a key twice
        const IconPosition at = grid_.position(nextFreeCell());
        items_.push_back({entries[e], at, at});
        order.push_back(static_cast<int>(items_.size()) - 1);
        ++changes.appended;
    }
    if (behaviour_.renumberOnRefresh) {
        std::vector<DesktopModelItem> renumbered;
        renumbered.reserve(items_.size());
        for (int i : order) renumbered.push_back(items_[i]);
        changes.reordered = !std::is_sorted(order.begin(), order.end());
        items_ = std::move(renumbered);
    }
    if (autoArrange() && changes.changed()) arrangeInOrder();
    return changes;
}

bool DesktopModel::move(int index, IconPosition to, MoveOrigin origin) {
    if (index < 0 || index >= count()) return false;
    if (autoArrange()) return true;  // the desktop puts it back into its place in the order
    DesktopModelItem& item = items_[index];
    item.position = snapToGrid_ ? grid_.position(grid_.nearest(to)) : to;
    if (origin != MoveOrigin::OtherProcess || !behaviour_.discardOutsideMoves) item.kept = item.position;
    return true;
}

bool DesktopModel::place(int index, IconPosition at) {
    if (index < 0 || index >= count()) return false;
    items_[index].position = items_[index].kept = at;
    return true;
}

void DesktopModel::arrange(int code) {
    if (code == kArrangeSnapToGrid)
        snapEachToNearestFreeCell();
    else
        arrangeInOrder();
    for (DesktopModelItem& item : items_) item.kept = item.position;  // the shell's own arranging is kept
}

GridCell DesktopModel::nextFreeCell() const {
    CellSet occupied;
    for (const DesktopModelItem& item : items_) {
        const GridCell c = grid_.nearest(item.position);
        occupied.insert({c.column, c.row});
    }
    for (int column = 0;; ++column)
        for (int row = 0; row < grid_.rows; ++row)
            if (occupied.count({column, row}) == 0) return {column, row};
}

void DesktopModel::arrangeInOrder() {
    for (int i = 0; i < count(); ++i) items_[i].position = items_[i].kept = grid_.position({i / grid_.rows, i % grid_.rows});
}

void DesktopModel::snapEachToNearestFreeCell() {
    CellSet taken;
    std::vector<bool> placed(items_.size(), false);
    int lastColumn = 0;
    // Icons that already sit on a cell keep it; the first in index order wins a shared cell.
    for (int i = 0; i < count(); ++i) {
        const GridCell c = grid_.nearest(items_[i].position);
        lastColumn = std::max(lastColumn, c.column);
        if (grid_.position(c) == items_[i].position && taken.insert({c.column, c.row}).second) placed[i] = true;
    }
    // The others, in index order, go to the free cell closest to them (ties: column, then row first).
    const int columns = lastColumn + count() + 1;
    for (int i = 0; i < count(); ++i) {
        if (placed[i]) continue;
        GridCell best{};
        std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
        for (int column = 0; column < columns; ++column)
            for (int row = 0; row < grid_.rows; ++row) {
                if (taken.count({column, row})) continue;
                const std::int64_t d = squaredDistance(items_[i].position, grid_.position({column, row}));
                if (d < bestDistance) {
                    bestDistance = d;
                    best = {column, row};
                }
            }
        taken.insert({best.column, best.row});
        items_[i].position = grid_.position(best);
    }
}

}  // namespace plenvik
