// The data of a report-view list: columns, rows (key, text, small picture, sub-items, fore colour,
// ghosted, checked), selection and sort order. The controller works on it; a Win32 view mirrors it
// into a real list view and keeps itself current through the observer.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace plenvik {

// Colours as the system stores them: 0x00BBGGRR, or 0x800000nn for system colour nn.
inline constexpr std::uint32_t kColorRed = 255;
inline constexpr std::uint32_t kColorBlue = 16711680;
inline constexpr std::uint32_t kColorGrey = 12632256;
inline constexpr std::uint32_t kColorWindowText = 0x80000008;
inline constexpr std::uint32_t kColorInfoBackground = 0x80000018;
inline constexpr std::uint32_t kColorRgbBlue = 0xFF0000;  // RGB(0, 0, 255)

struct ListColumn {
    std::string header;
    int widthTwips = 0;
};

struct ListRow {
    std::string key;
    std::string text;
    std::string smallIcon;
    std::vector<std::string> subItems;  // index 1.. = column 1..; index 0 unused
    std::uint32_t foreColor = kColorWindowText;
    bool ghosted = false;
    bool checked = false;

    const std::string& sub(std::size_t column) const;
    // A cell by its list's named column (an enum whose values are the column numbers).
    template <class Column>
    requires std::is_enum_v<Column>
    const std::string& sub(Column column) const { return sub(static_cast<std::size_t>(column)); }
};

class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void listReset() = 0;  // columns or all rows changed
    virtual void rowInserted(int index) = 0;
    virtual void rowChanged(int index) = 0;
    virtual void rowRemoved(int index) = 0;
    virtual void selectionChanged() = 0;
    virtual void ensureVisible(int index) = 0;
};

class ListModel {
public:
    explicit ListModel(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    void setObserver(ListObserver* observer) { observer_ = observer; }

    void addColumn(std::string header, int widthTwips);
    const std::vector<ListColumn>& columns() const { return columns_; }
    void setColumnWidth(std::size_t column, int widthTwips);

    // Adds a row at the end (or at position index); a non-empty key that is already used is a run-time
    // error (35602 "Key is not unique in collection"), as for the list views the program grew up with.
    int add(const std::string& key, const std::string& text, const std::string& smallIcon = {});
    int insert(int index, const std::string& key, const std::string& text, const std::string& smallIcon = {});
    void remove(int index);
    void clear();

    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    const ListRow& row(int index) const;
    const std::deque<ListRow>& rows() const { return rows_; }
    // -1 when no row has the key. Constant time: an index beside the rows follows every change.
    int find(const std::string& key) const;

    void setText(int index, const std::string& text);
    void setSmallIcon(int index, const std::string& icon);
    void setSubItem(int index, std::size_t column, const std::string& text);
    template <class Column>
    requires std::is_enum_v<Column>
    void setSubItem(int index, Column column, const std::string& text) { setSubItem(index, static_cast<std::size_t>(column), text); }
    void setForeColor(int index, std::uint32_t color);
    void setGhosted(int index, bool ghosted);
    void setChecked(int index, bool checked);

    int selectedIndex() const { return selected_; }
    const ListRow* selectedRow() const { return selected_ >= 0 ? &rows_[selected_] : nullptr; }
    void select(int index);
    void clearSelection() { select(-1); }
    void ensureVisible(int index);

    // Sorts by a column's text (0 = the row text), ascending or descending; the selection follows its row.
    void sortBy(std::size_t column, bool ascending);
    template <class Column>
    requires std::is_enum_v<Column>
    void sortBy(Column column, bool ascending) { sortBy(static_cast<std::size_t>(column), ascending); }
    bool sorted() const { return sorted_; }
    std::size_t sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }
    void resort();

private:
    ListRow& mutableRow(int index);
    void changed(int index);
    void reindexFrom(int first);

    std::string name_;
    std::vector<ListColumn> columns_;
    std::deque<ListRow> rows_;  // the protocol adds every line at the top
    std::unordered_map<std::string, int> rowOfKey_;  // non-empty keys only
    int selected_ = -1;
    bool sorted_ = false;
    std::size_t sortColumn_ = 0;
    bool sortAscending_ = true;
    ListObserver* observer_ = nullptr;
};

}  // namespace plenvik
