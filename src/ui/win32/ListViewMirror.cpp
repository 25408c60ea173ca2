#include "ui/win32/ListViewMirror.h"

#include "common/Twips.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ListIcons.h"

namespace plenvik::win32 {

COLORREF toColorRef(std::uint32_t color) {
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

ListViewMirror::ListViewMirror(ListModel& model, HWND listView, int dotsPerInch)
    : model_(model), list_(listView), dotsPerInch_(dotsPerInch > 0 ? dotsPerInch : 96) {
    ListView_SetImageList(list_, listIcons(), LVSIL_SMALL);
    model_.setObserver(this);
    listReset();
}

ListViewMirror::~ListViewMirror() { model_.setObserver(nullptr); }

void ListViewMirror::rebuildColumns() {
    while (ListView_DeleteColumn(list_, 0)) {}
    const auto& columns = model_.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::wstring header = widen(columns[i].header);
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = header.data();
        c.cx = twipsToPixels(columns[i].widthTwips, dotsPerInch_);
        c.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(list_, static_cast<int>(i), &c);
    }
}

void ListViewMirror::setDotsPerInch(int dotsPerInch) {
    dotsPerInch_ = dotsPerInch > 0 ? dotsPerInch : 96;
    for (std::size_t i = 0; i < model_.columns().size(); ++i)
        ListView_SetColumnWidth(list_, static_cast<int>(i), twipsToPixels(model_.columns()[i].widthTwips, dotsPerInch_));
}

void ListViewMirror::listReset() {
    syncing_ = true;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (Header_GetItemCount(ListView_GetHeader(list_)) != static_cast<int>(model_.columns().size())) {
        ListView_DeleteAllItems(list_);
        rebuildColumns();
    } else {
        for (std::size_t i = 0; i < model_.columns().size(); ++i)
            ListView_SetColumnWidth(list_, static_cast<int>(i), twipsToPixels(model_.columns()[i].widthTwips, dotsPerInch_));
    }
    ListView_DeleteAllItems(list_);
    for (int i = 0; i < model_.size(); ++i) writeRow(i, true);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    syncing_ = false;
    selectionChanged();
}

void ListViewMirror::writeRow(int index, bool insert) {
    const ListRow& row = model_.row(index);
    std::wstring text = widen(row.text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = index;
    item.pszText = text.data();
    item.iImage = listIconIndex(row.smallIcon);
    item.stateMask = LVIS_CUT;
    item.state = row.ghosted ? LVIS_CUT : 0;
    if (insert)
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    else
        SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t c = 1; c < model_.columns().size(); ++c) {
        std::wstring sub = widen(row.sub(c));
        LVITEMW s{};
        s.iSubItem = static_cast<int>(c);
        s.pszText = sub.data();
        SendMessageW(list_, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&s));
    }
    if (ListView_GetExtendedListViewStyle(list_) & LVS_EX_CHECKBOXES) ListView_SetCheckState(list_, index, row.checked);
}

void ListViewMirror::rowInserted(int index) {
    syncing_ = true;
    writeRow(index, true);
    syncing_ = false;
}

void ListViewMirror::rowChanged(int index) {
    syncing_ = true;
    writeRow(index, false);
    ListView_RedrawItems(list_, index, index);
    syncing_ = false;
}

void ListViewMirror::rowRemoved(int index) {
    syncing_ = true;
    ListView_DeleteItem(list_, index);
    syncing_ = false;
}

void ListViewMirror::selectionChanged() {
    syncing_ = true;
    const int selected = model_.selectedIndex();
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected >= 0) ListView_SetItemState(list_, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    syncing_ = false;
}

void ListViewMirror::ensureVisible(int index) { ListView_EnsureVisible(list_, index, FALSE); }

LRESULT ListViewMirror::onNotify(NMHDR* header) {
    if (header->hwndFrom != list_) return 0;
    switch (header->code) {
    case NM_CUSTOMDRAW: {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            const int index = static_cast<int>(draw->nmcd.dwItemSpec);
            if (index >= 0 && index < model_.size()) {
                const ListRow& row = model_.row(index);
                draw->clrText = row.ghosted && row.foreColor == kColorWindowText ? GetSysColor(COLOR_GRAYTEXT) : toColorRef(row.foreColor);
            }
            return CDRF_DODEFAULT;
        }
        return CDRF_DODEFAULT;
    }
    case LVN_ITEMCHANGED: {
        if (syncing_) return 0;
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if (change->iItem < 0 || change->iItem >= model_.size()) return 0;
        syncing_ = true;
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            model_.select(change->iItem);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
            const bool checked = ListView_GetCheckState(list_, change->iItem) != 0;
            if (model_.row(change->iItem).checked != checked) model_.setChecked(change->iItem, checked);
        }
        syncing_ = false;
        const bool deselected =
            (change->uChanged & LVIF_STATE) && (change->uOldState & LVIS_SELECTED) && !(change->uNewState & LVIS_SELECTED);
        if (deselected && change->iItem == model_.selectedIndex() && deselected_) deselected_();
        return 0;
    }
    }
    return 0;
}

}  // namespace plenvik::win32
