#include "ui/ListModel.h"

#include <algorithm>
#include <stdexcept>

#include "common/Text.h"
#include "errors/RuntimeError.h"

namespace plenvik {

const std::string& ListRow::sub(std::size_t column) const {
    static const std::string kEmpty;
    if (column == 0) return text;
    return column < subItems.size() ? subItems[column] : kEmpty;
}

void ListModel::addColumn(std::string header, int widthTwips) {
    columns_.push_back({std::move(header), widthTwips});
    if (observer_) observer_->listReset();
}

void ListModel::setColumnWidth(std::size_t column, int widthTwips) {
    if (column >= columns_.size()) return;
    columns_[column].widthTwips = widthTwips;
    if (observer_) observer_->listReset();
}

int ListModel::add(const std::string& key, const std::string& text, const std::string& smallIcon) {
    return insert(size(), key, text, smallIcon);
}

int ListModel::insert(int index, const std::string& key, const std::string& text, const std::string& smallIcon) {
    if (!key.empty() && find(key) >= 0)
        throw RuntimeError(35602, kAppTitle, "Key is not unique in collection (" + name_ + ": " + key + ")");
    if (index < 0 || index > size()) throw RuntimeError(35600, kAppTitle, "Index out of bounds (" + name_ + ")");
    ListRow row;
    row.key = key;
    row.text = text;
    row.smallIcon = smallIcon;
    row.subItems.resize(columns_.size());
    rows_.insert(rows_.begin() + index, std::move(row));
    if (!key.empty()) rowOfKey_[key] = index;
    reindexFrom(index + 1);
    if (selected_ >= index) ++selected_;
    if (observer_) observer_->rowInserted(index);
    return index;
}

void ListModel::remove(int index) {
    if (index < 0 || index >= size()) throw RuntimeError(35600, kAppTitle, "Index out of bounds (" + name_ + ")");
    if (!rows_[index].key.empty()) rowOfKey_.erase(rows_[index].key);
    rows_.erase(rows_.begin() + index);
    reindexFrom(index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    if (observer_) observer_->rowRemoved(index);
}

void ListModel::clear() {
    rows_.clear();
    rowOfKey_.clear();
    selected_ = -1;
    if (observer_) observer_->listReset();
}

const ListRow& ListModel::row(int index) const {
    if (index < 0 || index >= size()) throw RuntimeError(35600, kAppTitle, "Index out of bounds (" + name_ + ")");
    return rows_[index];
}

ListRow& ListModel::mutableRow(int index) { return const_cast<ListRow&>(row(index)); }

int ListModel::find(const std::string& key) const {
    if (key.empty()) {  // rows may share the empty key: the first one
        for (int i = 0; i < size(); ++i)
            if (rows_[i].key.empty()) return i;
        return -1;
    }
    const auto it = rowOfKey_.find(key);
    return it == rowOfKey_.end() ? -1 : it->second;
}

// Rows from first on changed their places: their keys point at them again. Adding at the end touches
// one row only, and a list without keys (the protocol) none.
void ListModel::reindexFrom(int first) {
    if (rowOfKey_.empty()) return;
    for (int i = first; i < size(); ++i)
        if (!rows_[i].key.empty()) rowOfKey_[rows_[i].key] = i;
}

void ListModel::changed(int index) {
    if (observer_) observer_->rowChanged(index);
}

void ListModel::setText(int index, const std::string& text) {
    mutableRow(index).text = text;
    changed(index);
}
void ListModel::setSmallIcon(int index, const std::string& icon) {
    mutableRow(index).smallIcon = icon;
    changed(index);
}

void ListModel::setSubItem(int index, std::size_t column, const std::string& text) {
    ListRow& r = mutableRow(index);
    if (column == 0) {
        r.text = text;
    } else {
        if (column >= r.subItems.size()) r.subItems.resize(column + 1);
        r.subItems[column] = text;
    }
    changed(index);
}

void ListModel::setForeColor(int index, std::uint32_t color) {
    mutableRow(index).foreColor = color;
    changed(index);
}
void ListModel::setGhosted(int index, bool ghosted) {
    mutableRow(index).ghosted = ghosted;
    changed(index);
}
void ListModel::setChecked(int index, bool checked) {
    mutableRow(index).checked = checked;
    changed(index);
}

void ListModel::select(int index) {
    if (index < -1 || index >= size()) throw RuntimeError(35600, kAppTitle, "Index out of bounds (" + name_ + ")");
    selected_ = index;
    if (observer_) observer_->selectionChanged();
}

void ListModel::ensureVisible(int index) {
    if (observer_ && index >= 0 && index < size()) observer_->ensureVisible(index);
}

void ListModel::sortBy(std::size_t column, bool ascending) {
    sorted_ = true;
    sortColumn_ = column;
    sortAscending_ = ascending;
    resort();
}

void ListModel::resort() {
    if (!sorted_) return;
    const ListRow* selectedAddress = selected_ >= 0 ? &rows_[selected_] : nullptr;
    std::vector<std::size_t> order(rows_.size());
    std::vector<std::string> folded(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
        folded[i] = foldCase(rows_[i].sub(sortColumn_));
    }
    // Text order without regard to case, as a list view sorts; stable so equal keys keep their order.
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return sortAscending_ ? folded[a] < folded[b] : folded[b] < folded[a]; });
    std::deque<ListRow> sortedRows;
    int newSelected = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (selectedAddress == &rows_[order[i]]) newSelected = static_cast<int>(i);
        sortedRows.push_back(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sortedRows);
    reindexFrom(0);
    selected_ = newSelected;
    if (observer_) {
        observer_->listReset();
        observer_->selectionChanged();
    }
}

}  // namespace plenvik
