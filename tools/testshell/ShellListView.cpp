#include "ShellListView.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "desktop/ListViewItemLayout.h"
#include "platform/win32/Wide.h"

namespace plenvik::testshell {

namespace {

using win32::narrow;
using win32::widen;

DesktopGrid gridOf(const ShellOptions& o) {
    DesktopGrid g = o.grid;
    g.rows = std::max(1, (o.height - g.top) / std::max(1, g.cellHeight));
    return g;
}

std::string hex(unsigned long v) {
    char b[16];
    std::snprintf(b, sizeof b, "%08lx", v);
    return b;
}

}  // namespace

ShellListView::ShellListView(const ShellOptions& options, ShellSource& source)
    : model_(gridOf(options), options.style, options.snap), source_(source) {}

HWND ShellListView::create(HWND parent, HINSTANCE instance, int width, int height) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_SHOWSELALWAYS |
                        static_cast<DWORD>(model_.style());
    listView_ = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", style, 0, 0, width, height, parent,
                                reinterpret_cast<HMENU>(1), instance, nullptr);
    if (!listView_) return nullptr;
    // Real icon cells, as on the desktop; the list view owns and destroys the image lists.
    HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(large, LoadIcon(nullptr, IDI_APPLICATION));
    SendMessageW(listView_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
    HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(small, LoadIcon(nullptr, IDI_APPLICATION));
    SendMessageW(listView_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(listView_, LVM_SETICONSPACING, 0, MAKELPARAM(model_.grid().cellWidth, model_.grid().cellHeight));
    if (model_.snapToGrid()) SendMessageW(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SNAPTOGRID, LVS_EX_SNAPTOGRID);
    model_.setStyle(static_cast<std::int32_t>(GetWindowLongW(listView_, GWL_STYLE)));

    model_.sync(source_.read());
    for (int i = 0; i < model_.count(); ++i) insertItem(i);
    SetWindowSubclass(listView_, subclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    return listView_;
}

void ShellListView::placeStartPositions(const std::wstring& positionsFile) {
    if (!positionsFile.empty()) {
        for (const std::string& line : readLines(positionsFile)) {
            int x = 0, y = 0, used = 0;
            if (std::sscanf(line.c_str(), "%d %d %n", &x, &y, &used) < 2 || used == 0) continue;
            if (const auto index = model_.indexOfLabel(line.substr(static_cast<std::size_t>(used))))
                model_.place(*index, {x, y});
        }
    }
    showPositions();
}

LRESULT CALLBACK ShellListView::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
    bool handled = false;
    const LRESULT result = reinterpret_cast<ShellListView*>(self)->handle(window, message, wParam, lParam, handled);
    return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}

LRESULT ShellListView::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (writingThrough_) return 0;
    handled = true;
    switch (message) {
    case LVM_SETITEMPOSITION:
        return move(static_cast<int>(wParam), unpackPosition16(static_cast<std::uint32_t>(lParam)));
    case LVM_SETITEMPOSITION32: {
        const POINT* p = reinterpret_cast<const POINT*>(lParam);
        return p ? move(static_cast<int>(wParam), {static_cast<int>(p->x), static_cast<int>(p->y)}) : FALSE;
    }
    case LVM_ARRANGE:
        model_.arrange(static_cast<int>(wParam));
        showPositions();
        return TRUE;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const LRESULT previous = DefSubclassProc(window, message, wParam, lParam);
        model_.setSnapToGrid((SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_SNAPTOGRID) != 0);
        return previous;
    }
    case WM_STYLECHANGED: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
            // Auto-arrange switched on arranges; back in an icon view the icons return to their places.
            model_.setStyle(static_cast<std::int32_t>(reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew));
            showPositions();
        }
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_F5) {
            refresh();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, subclassProc, 1);
        break;
    }
    handled = false;
    return 0;
}

BOOL ShellListView::move(int index, IconPosition to) {
    if (!model_.move(index, to)) return FALSE;
    if (positionsShown()) showPosition(index);
    return TRUE;
}

void ShellListView::refresh() {
    ++refreshes_;
    const DesktopSync changes = model_.sync(source_.read());
    for (auto it = changes.removed.rbegin(); it != changes.removed.rend(); ++it) SendMessageW(listView_, LVM_DELETEITEM, *it, 0);
    for (int i = model_.count() - changes.appended; i < model_.count(); ++i) insertItem(i);
    for (int i = 0; i < model_.count(); ++i) {
        std::wstring text = widen(model_.items()[i].entry.label);
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text.data();
        SendMessageW(listView_, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    }
    showPositions();
}

void ShellListView::insertItem(int index) {
    std::wstring text = widen(model_.items()[index].entry.label);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = text.data();
    SendMessageW(listView_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool ShellListView::positionsShown() const {
    const LONG view = GetWindowLongW(listView_, GWL_STYLE) & LVS_TYPEMASK;
    return view == LVS_ICON || view == LVS_SMALLICON;
}

void ShellListView::showPositions() {
    if (!positionsShown()) return;
    for (int i = 0; i < model_.count(); ++i) showPosition(i);
}

void ShellListView::showPosition(int index) {
    const IconPosition at = model_.items()[index].position;
    POINT p{at.x, at.y};
    writingThrough_ = true;
    SendMessageW(listView_, LVM_SETITEMPOSITION32, index, reinterpret_cast<LPARAM>(&p));
    writingThrough_ = false;
}

bool ShellListView::writeDump(const std::wstring& path) {
    const int count = static_cast<int>(SendMessageW(listView_, LVM_GETITEMCOUNT, 0, 0));
    const DesktopGrid& g = model_.grid();
    std::string out = "count " + std::to_string(count) + "\n";
    out += "style " + hex(static_cast<unsigned long>(GetWindowLongW(listView_, GWL_STYLE))) + "\n";
    out += "exstyle " + hex(static_cast<unsigned long>(SendMessageW(listView_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0))) + "\n";
    out += "view " + std::to_string(SendMessageW(listView_, LVM_GETVIEW, 0, 0)) + "\n";
    out += "snap " + std::to_string(model_.snapToGrid() ? 1 : 0) + "\n";
    out += "grid " + std::to_string(g.left) + " " + std::to_string(g.top) + " " + std::to_string(g.cellWidth) + " " +
           std::to_string(g.cellHeight) + " " + std::to_string(g.rows) + "\n";
    out += "refreshes " + std::to_string(refreshes_) + "\n";
    for (int i = 0; i < count; ++i) {
        POINT p{};
        SendMessageW(listView_, LVM_GETITEMPOSITION, i, reinterpret_cast<LPARAM>(&p));
        std::wstring text(4096, L'\0');
        LVITEMW item{};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        text.resize(static_cast<std::size_t>(SendMessageW(listView_, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item))));
        out += "item " + std::to_string(i) + " " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + narrow(text) + "\n";
    }
    const std::wstring temporary = path + L".tmp";
    FILE* f = _wfopen(temporary.c_str(), L"wb");
    if (!f) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0 || !written) return false;
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace plenvik::testshell
