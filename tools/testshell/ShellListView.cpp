#include "ShellListView.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "desktop/ListViewItemLayout.h"
#include "platform/win32/ControlSubclass.h"
#include "platform/win32/Wide.h"

namespace plenvik::testshell {

namespace {

using win32::narrow;
using win32::passToControl;
using win32::widen;

constexpr UINT_PTR kRefreshTimer = 0x5EF5;
// Explorer re-reads its folders a moment after F5, once however often the key came in that time.
constexpr UINT kRefreshDelayMs = 100;
constexpr std::int32_t kFolderStyleBits = kStyleViewTypeMask | kStyleAutoArrange;

std::string hex(unsigned long v) {
    char b[16];
    std::snprintf(b, sizeof b, "%08lx", v);
    return b;
}

// A dump or state line: the name, the numbers, then the text (if any) after a blank.
std::string line(const char* name, std::initializer_list<long long> values, const std::string& text = {}, bool withText = false) {
    std::string out = name;
    for (long long v : values) {
        out += ' ';
        out += std::to_string(v);
    }
    if (withText) {
        out += ' ';
        out += text;
    }
    out += '\n';
    return out;
}

// "name value\n", built by appending (GCC 12 warns falsely about "literal" + string).
void appendField(std::string& out, const char* name, const std::string& value) {
    out += name;
    out += ' ';
    out += value;
    out += '\n';
}

bool writeFileAtomically(const std::wstring& path, const std::string& text) {
    const std::wstring temporary = path + L".tmp";
    FILE* f = _wfopen(temporary.c_str(), L"wb");
    if (!f) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0 || !written) return false;
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Whether the message being handled was sent from another thread (of this or another process).
bool sentFromOutside() { return InSendMessageEx(nullptr) != ISMEX_NOSEND; }

// The bytes a message's lParam points to, which the list view reads or writes in answering it.
std::size_t bytesReferred(UINT message) {
    switch (message) {
    case LVM_GETITEMPOSITION:
    case LVM_SETITEMPOSITION32: return sizeof(POINT);
    case LVM_GETITEMTEXTW: return sizeof(LVITEMW);
    default: return 0;
    }
}

}  // namespace

ShellListView::ShellListView(const ShellOptions& options, ShellSource& source)
    : options_(options), source_(source), folderSnap_(options.snap) {
    if (!options.hangEvent.empty()) wake_.reset(CreateEventW(nullptr, FALSE, FALSE, options.hangEvent.c_str()));
}

HWND ShellListView::create(HWND parent, HINSTANCE instance, int width, int height) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_SHOWSELALWAYS | static_cast<DWORD>(options_.style);
    listView_ =
        CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", style, 0, 0, width, height, parent, reinterpret_cast<HMENU>(1), instance, nullptr);
    if (!listView_) return nullptr;
    // Real icon cells, as on the desktop; the list view owns and destroys the image lists.
    HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(large, LoadIcon(nullptr, IDI_APPLICATION));
    SendMessageW(listView_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
    HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(small, LoadIcon(nullptr, IDI_APPLICATION));
    SendMessageW(listView_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));

    // Explorer's grid: the icon spacing of the system metrics, as the list view reports it.
    DesktopGrid grid = options_.grid;
    if (options_.gridGiven) {
        SendMessageW(listView_, LVM_SETICONSPACING, 0, MAKELPARAM(grid.cellWidth, grid.cellHeight));
    } else {
        const DWORD spacing = static_cast<DWORD>(SendMessageW(listView_, LVM_GETITEMSPACING, FALSE, 0));
        grid.cellWidth = std::max(1, static_cast<int>(LOWORD(spacing)));
        grid.cellHeight = std::max(1, static_cast<int>(HIWORD(spacing)));
    }
    grid.rows = std::max(1, (height - grid.top) / grid.cellHeight);
    model_.emplace(grid, static_cast<std::int32_t>(GetWindowLongW(listView_, GWL_STYLE)), options_.snap, options_.behaviour);
    showSnap();

    model_->sync(source_.read());
    insertAllItems();
    win32::subclassControl(
        listView_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) { return handle(window, message, wParam, lParam); });
    return listView_;
}

void ShellListView::placeStartPositions(const std::wstring& positionsFile) {
    if (!positionsFile.empty()) {
        for (const std::string& line : readLines(positionsFile)) {
            int x = 0, y = 0, used = 0;
            if (std::sscanf(line.c_str(), "%d %d %n", &x, &y, &used) < 2 || used == 0) continue;
            if (const auto index = model_->indexOfLabel(line.substr(static_cast<std::size_t>(used)))) model_->place(*index, {x, y});
        }
    }
    restoreState();
    showStyle();
    showSnap();
    showPositions();
    keepState();
}

std::optional<int> ShellListView::indexOfKey(const std::string& key) const {
    for (int i = 0; i < model_->count(); ++i)
        if (model_->items()[i].entry.key == key) return i;
    return std::nullopt;
}

bool ShellListView::hangAt(UINT message) {
    if (!wake_) return false;
    hangAt_ = message;
    return true;
}

void ShellListView::hang(UINT message, LPARAM lParam) {
    hangAt_ = 0;
    WaitForSingleObject(wake_.get(), kHangLimitMs);
    volatile unsigned char* bytes = reinterpret_cast<volatile unsigned char*>(lParam);
    for (std::size_t i = 0; i < bytesReferred(message); ++i) bytes[i] = bytes[i];
    ++lateAnswers_;
}

LRESULT ShellListView::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (writingThrough_) return passToControl(window, message, wParam, lParam);
    if (hangAt_ != 0 && message == hangAt_ && sentFromOutside()) hang(message, lParam);
    switch (message) {
    case LVM_SETITEMPOSITION: {
        const MoveOrigin origin = sentFromOutside() ? MoveOrigin::OtherProcess : MoveOrigin::Shell;
        return move(static_cast<int>(wParam), unpackPosition16(static_cast<std::uint32_t>(lParam)), origin);
    }
    case LVM_SETITEMPOSITION32: {
        const MoveOrigin origin = sentFromOutside() ? MoveOrigin::OtherProcess : MoveOrigin::Shell;
        const POINT* p = reinterpret_cast<const POINT*>(lParam);
        return p ? move(static_cast<int>(wParam), {static_cast<int>(p->x), static_cast<int>(p->y)}, origin) : FALSE;
    }
    case LVM_ARRANGE:
        model_->arrange(static_cast<int>(wParam));
        showPositions();
        keepState();
        return TRUE;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        // Shown at once; the folder view's snap state comes back at the next refresh.
        const LRESULT previous = passToControl(window, message, wParam, lParam);
        model_->setSnapToGrid((SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_SNAPTOGRID) != 0);
        return previous;
    }
    case WM_STYLECHANGED: {
        const LRESULT result = passToControl(window, message, wParam, lParam);
        if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
            // Auto-arrange switched on arranges; back in an icon view the icons return to their places.
            model_->setStyle(static_cast<std::int32_t>(reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew));
            showPositions();
        }
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_F5) {
            SetTimer(listView_, kRefreshTimer, kRefreshDelayMs, nullptr);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kRefreshTimer) {
            KillTimer(listView_, kRefreshTimer);
            refresh();
            return 0;
        }
        break;
    }
    return passToControl(window, message, wParam, lParam);
}

BOOL ShellListView::move(int index, IconPosition to, MoveOrigin origin) {
    if (!model_->move(index, to, origin)) return FALSE;
    if (positionsShown()) showPosition(index);
    if (origin != MoveOrigin::OtherProcess) keepState();
    return TRUE;
}

bool ShellListView::moveThroughFolderView(int index, IconPosition to) { return move(index, to, MoveOrigin::FolderView) != FALSE; }

void ShellListView::setFolderStyle(std::int32_t bits) {
    model_->setFolderStyle(bits);
    showStyle();
    showPositions();
    keepState();
}

void ShellListView::setFolderSnap(bool on) {
    folderSnap_ = on;
    model_->setSnapToGrid(on);
    showSnap();
    keepState();
}

void ShellListView::refresh() {
    ++refreshes_;
    const DesktopSync changes = model_->sync(source_.read());
    if (model_->behaviour().restyleOnRefresh && model_->snapToGrid() != folderSnap_) model_->setSnapToGrid(folderSnap_);
    showStyle();
    showSnap();
    if (changes.reordered) {
        // Every index may name another item now: the view takes them all anew, as after an enumeration.
        SendMessageW(listView_, LVM_DELETEALLITEMS, 0, 0);
        insertAllItems();
    } else {
        for (auto it = changes.removed.rbegin(); it != changes.removed.rend(); ++it) SendMessageW(listView_, LVM_DELETEITEM, *it, 0);
        for (int i = model_->count() - changes.appended; i < model_->count(); ++i) insertItem(i);
        for (int i = 0; i < model_->count(); ++i) {
            std::wstring text = widen(model_->items()[i].entry.label);
            LVITEMW item{};
            item.iSubItem = 0;
            item.pszText = text.data();
            SendMessageW(listView_, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    showPositions();
    keepState();
}

void ShellListView::insertItem(int index) {
    std::wstring text = widen(model_->items()[index].entry.label);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = text.data();
    SendMessageW(listView_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ShellListView::insertAllItems() {
    for (int i = 0; i < model_->count(); ++i) insertItem(i);
}

// The window's style word follows the model (which keeps every bit written to it).
void ShellListView::showStyle() {
    const LONG shown = GetWindowLongW(listView_, GWL_STYLE);
    if (shown == static_cast<LONG>(model_->style())) return;
    writingThrough_ = true;
    SetWindowLongW(listView_, GWL_STYLE, static_cast<LONG>(model_->style()));
    writingThrough_ = false;
}

void ShellListView::showSnap() {
    writingThrough_ = true;
    SendMessageW(listView_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SNAPTOGRID, model_->snapToGrid() ? LVS_EX_SNAPTOGRID : 0);
    writingThrough_ = false;
}

bool ShellListView::positionsShown() const {
    const LONG view = GetWindowLongW(listView_, GWL_STYLE) & LVS_TYPEMASK;
    return view == LVS_ICON || view == LVS_SMALLICON;
}

void ShellListView::showPositions() {
    if (!positionsShown()) return;
    for (int i = 0; i < model_->count(); ++i) showPosition(i);
}

void ShellListView::showPosition(int index) {
    const IconPosition at = model_->items()[index].position;
    POINT p{at.x, at.y};
    writingThrough_ = true;
    SendMessageW(listView_, LVM_SETITEMPOSITION32, index, reinterpret_cast<LPARAM>(&p));
    writingThrough_ = false;
}

// The state file, as Explorer's registry bag: "folderstyle HEX", "foldersnap 0|1", "kept X Y KEY".
void ShellListView::restoreState() {
    if (options_.stateFile.empty()) return;
    for (const std::string& line : readLines(options_.stateFile)) {
        unsigned long bits = 0;
        int x = 0, y = 0, used = 0;
        if (std::sscanf(line.c_str(), "folderstyle %lx", &bits) == 1) {
            model_->setFolderStyle(static_cast<std::int32_t>(bits) & kFolderStyleBits);
        } else if (std::sscanf(line.c_str(), "foldersnap %d", &x) == 1) {
            folderSnap_ = x != 0;
            model_->setSnapToGrid(folderSnap_);
        } else if (std::sscanf(line.c_str(), "kept %d %d %n", &x, &y, &used) >= 2 && used > 0) {
            if (const auto index = indexOfKey(line.substr(static_cast<std::size_t>(used)))) model_->place(*index, {x, y});
        }
    }
}

void ShellListView::keepState() {
    if (options_.stateFile.empty()) return;
    std::string out;
    appendField(out, "folderstyle", hex(static_cast<unsigned long>(model_->folderStyle())));
    appendField(out, "foldersnap", std::to_string(folderSnap_ ? 1 : 0));
    for (const DesktopModelItem& item : model_->items()) out += line("kept", {item.kept.x, item.kept.y}, item.entry.key, true);
    writeFileAtomically(options_.stateFile, out);
}

bool ShellListView::writeDump(const std::wstring& path) {
    const int count = static_cast<int>(SendMessageW(listView_, LVM_GETITEMCOUNT, 0, 0));
    const DesktopGrid& g = model_->grid();
    std::string out;
    appendField(out, "count", std::to_string(count));
    appendField(out, "style", hex(static_cast<unsigned long>(GetWindowLongW(listView_, GWL_STYLE))));
    appendField(out, "exstyle", hex(static_cast<unsigned long>(SendMessageW(listView_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0))));
    appendField(out, "view", std::to_string(SendMessageW(listView_, LVM_GETVIEW, 0, 0)));
    appendField(out, "snap", std::to_string(model_->snapToGrid() ? 1 : 0));
    appendField(out, "folderstyle", hex(static_cast<unsigned long>(model_->folderStyle())));
    appendField(out, "foldersnap", std::to_string(folderSnap_ ? 1 : 0));
    out += line("grid", {g.left, g.top, g.cellWidth, g.cellHeight, g.rows});
    appendField(out, "refreshes", std::to_string(refreshes_));
    appendField(out, "late", std::to_string(lateAnswers_));
    for (int i = 0; i < count; ++i) {
        POINT p{};
        SendMessageW(listView_, LVM_GETITEMPOSITION, i, reinterpret_cast<LPARAM>(&p));
        std::wstring text(4096, L'\0');
        LVITEMW item{};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        text.resize(static_cast<std::size_t>(SendMessageW(listView_, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item))));
        out += line("item", {i, p.x, p.y}, narrow(text), true);
    }
    for (int i = 0; i < model_->count(); ++i) {
        const DesktopModelItem& item = model_->items()[i];
        out += line("kept", {i, item.kept.x, item.kept.y});
        out += line("parsing", {i}, item.entry.parsingName, true);
    }
    return writeFileAtomically(path, out);
}

}  // namespace plenvik::testshell
