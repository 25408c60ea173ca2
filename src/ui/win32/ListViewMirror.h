// Mirrors a ListModel into a report-view list view and keeps it current: columns, rows with their
// pictures, sub-items, fore colours, ghosting and check boxes, the selection. The user's selection and
// check clicks go back into the model.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "ui/ListModel.h"

namespace plenvik::win32 {

class ListViewMirror : public ListObserver {
public:
    // Column widths are in twips; dotsPerInch is the resolution the list is shown at.
    ListViewMirror(ListModel& model, HWND listView, int dotsPerInch);
    ~ListViewMirror() override;
    ListViewMirror(const ListViewMirror&) = delete;
    ListViewMirror& operator=(const ListViewMirror&) = delete;

    HWND handle() const { return list_; }
    // The window moved to a screen of another resolution: the columns get their widths at it.
    void setDotsPerInch(int dotsPerInch);
    // Called when the user takes the selection off the model's selected row (a click beside the rows,
    // Ctrl+click); the owner decides what the model's selection becomes.
    void setDeselectedHandler(std::function<void()> handler) { deselected_ = std::move(handler); }
    // The parent forwards WM_NOTIFY for this list here; returns the notification's result.
    LRESULT onNotify(NMHDR* header);

    void listReset() override;
    void rowInserted(int index) override;
    void rowChanged(int index) override;
    void rowRemoved(int index) override;
    void selectionChanged() override;
    void ensureVisible(int index) override;

private:
    void writeRow(int index, bool insert);
    void rebuildColumns();

    ListModel& model_;
    HWND list_;
    int dotsPerInch_;
    bool syncing_ = false;
    std::function<void()> deselected_;
};

// A model colour (0x00BBGGRR or 0x800000nn for system colour nn) as a COLORREF.
COLORREF toColorRef(std::uint32_t color);

}  // namespace plenvik::win32
