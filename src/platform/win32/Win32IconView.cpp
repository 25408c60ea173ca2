#include "platform/win32/Win32IconView.h"

#include <commctrl.h>

#include <optional>
#include <utility>

#include "platform/win32/DesktopFolderView.h"
#include "platform/win32/DesktopListView.h"
#include "platform/win32/DesktopWindows.h"

namespace plenvik::win32 {

Win32IconView::Win32IconView() : Win32IconView(CLSID_ShellWindows) {}

Win32IconView::Win32IconView(const CLSID& shellWindowsClass)
    : finder_([shellWindowsClass](HWND listView) { return findShellDesktopFolderView(listView, shellWindowsClass); }) {}

Win32IconView::Win32IconView(FolderViewFinder finder, UINT timeoutMs)
    : finder_(std::move(finder)), timeoutMs_(timeoutMs), shellCalls_(timeoutMs) {}

DesktopListView Win32IconView::openListView(HWND window) const {
    return DesktopListView(window, DesktopListView::kInitialLabelCapacity, DesktopListView::kBatchSize, timeoutMs_);
}

// The folder view is Explorer's, reached through COM calls that take no time-out: it is found and used
// on a thread of its own (BoundedCalls), so byFolderView must own what it uses.
template <class Result, class ByFolderView, class ByListView>
Result Win32IconView::route(Result none, ByFolderView byFolderView, ByListView&& byListView) {
    HWND listView = findDesktopListView();
    if (finder_) {
        std::optional<Result> viaFolderView =
            shellCalls_.run<std::optional<Result>>("IFolderView", [finder = finder_, listView, byFolderView]() -> std::optional<Result> {
                ComApartment com;
                ComPtr<IFolderView> folderView = finder(listView);
                if (!folderView) return std::nullopt;
                FolderViewIcons icons(*folderView.get());
                return byFolderView(icons);
            });
        if (viaFolderView) return std::move(*viaFolderView);
    }
    if (!listView) return none;
    return byListView(listView);
}

IconRoute Win32IconView::route() {
    return route(
        IconRoute::None, [](FolderViewIcons&) { return IconRoute::FolderView; }, [](HWND) { return IconRoute::ListView; });
}

std::vector<IconItem> Win32IconView::readAll() {
    return route(
        std::vector<IconItem>(), [](FolderViewIcons& v) { return v.readAll(); }, [&](HWND lv) { return openListView(lv).readAll(); });
}

int Win32IconView::itemCount() {
    return route(
        0, [](FolderViewIcons& v) { return v.itemCount(); },
        [&](HWND lv) { return static_cast<int>(sendToDesktop(lv, LVM_GETITEMCOUNT, 0, 0, timeoutMs_)); });
}

std::string Win32IconView::label(int index) {
    return route(
        std::string(), [index](FolderViewIcons& v) { return v.label(index); }, [&](HWND lv) { return openListView(lv).label(index); });
}

IconPosition Win32IconView::position(int index) {
    return route(
        IconPosition{}, [index](FolderViewIcons& v) { return v.position(index); },
        [&](HWND lv) { return openListView(lv).position(index); });
}

bool Win32IconView::setPosition(int index, IconPosition to) {
    return route(
        false, [index, to](FolderViewIcons& v) { return v.setPosition(index, to); },
        [&](HWND lv) { return openListView(lv).setPosition(index, to); });
}

namespace {

std::int32_t windowWord(HWND listView) { return listView ? static_cast<std::int32_t>(GetWindowLongW(listView, GWL_STYLE)) : 0; }

}  // namespace

std::int32_t Win32IconView::styleWord() {
    const std::int32_t word = windowWord(findDesktopListView());
    return route(
        word, [word](FolderViewIcons& v) { return v.styleWord(word); }, [](HWND lv) { return windowWord(lv); });
}

// On the folder-view route the window's other bits stay as they are: Explorer keeps view type and
// auto-arrange in its folder view and puts them back into the window at its next refresh anyway.
bool Win32IconView::setStyleWord(std::int32_t style) {
    return route(
        false, [style](FolderViewIcons& v) { return v.setStyleWord(style); },
        [&](HWND lv) {
            setDesktopWindowStyle(lv, style, timeoutMs_);
            return true;
        });
}

std::optional<bool> Win32IconView::snapToGrid() {
    return route(
        std::optional<bool>(), [](FolderViewIcons& v) { return v.snapToGrid(); }, [](HWND) { return std::optional<bool>(); });
}

bool Win32IconView::setSnapToGrid(bool on) {
    return route(
        false, [on](FolderViewIcons& v) { return v.setSnapToGrid(on); }, [](HWND) { return false; });
}

bool Win32IconView::arrange(int code) {
    HWND listView = findDesktopListView();
    if (!listView) return false;
    sendToDesktop(listView, LVM_ARRANGE, static_cast<WPARAM>(code), 0, timeoutMs_);
    return true;
}

// The list view repaints when its thread gets to it: UpdateWindow would send WM_PAINT to Explorer's
// thread and wait for it without a time-out.
void Win32IconView::refresh() {
    HWND listView = findDesktopListView();
    if (!listView) return;
    InvalidateRect(listView, nullptr, FALSE);
    // F5 makes the shell re-read the desktop folders: once at once, once more when it reaches the post.
    PostMessageW(listView, WM_KEYDOWN, VK_F5, 0x101);
    sendToDesktop(listView, WM_KEYDOWN, VK_F5, 0x101, timeoutMs_);
}

void Win32IconView::redrawWithBackground() {
    HWND listView = findDesktopListView();
    if (!listView) return;
    InvalidateRect(listView, nullptr, TRUE);
}

}  // namespace plenvik::win32
