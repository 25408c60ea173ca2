// Explorer's desktop icon view on Windows. Labels, positions, moves, view type, auto-arrange and snap
// go through the shell's folder view of the desktop where the system offers one, else through the
// desktop list view in Explorer's process; arranging and refresh always go to the list view. Every call finds the desktop anew
// and releases what it opened before it returns. Nothing sent to the list view, and no call to the folder
// view, is waited for longer than the time-out (DesktopMessages.h, BoundedCalls.h): a desktop that does
// not answer in time throws RuntimeError.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <functional>

#include "platform/IconView.h"
#include "platform/win32/BoundedCalls.h"
#include "platform/win32/DesktopMessages.h"
#include "platform/win32/Scoped.h"

namespace plenvik::win32 {

class DesktopListView;

// Finds the folder view for the desktop list view found (which may be nullptr).
using FolderViewFinder = std::function<ComPtr<IFolderView>(HWND listView)>;

class Win32IconView : public IconView {
public:
    // The shell's folder view where it offers one, else the list view.
    Win32IconView();
    // The folder view found through the shell windows of another class (a stand-in shell's), else the
    // list view.
    explicit Win32IconView(const CLSID& shellWindowsClass);
    // For tests: a finder that returns a folder view of their own, or none, and the list view's time-out.
    explicit Win32IconView(FolderViewFinder finder, UINT timeoutMs = kDesktopTimeoutMs);

    IconRoute route() override;
    std::vector<IconItem> readAll() override;
    int itemCount() override;
    std::string label(int index) override;
    IconPosition position(int index) override;
    bool setPosition(int index, IconPosition to) override;
    std::int32_t styleWord() override;
    bool setStyleWord(std::int32_t style) override;
    std::optional<bool> snapToGrid() override;
    bool setSnapToGrid(bool on) override;
    bool arrange(int code) override;
    void refresh() override;
    void redrawWithBackground() override;

private:
    // The list-view route's access to window, with this view's time-out.
    DesktopListView openListView(HWND window) const;
    // Runs the folder-view operation when a folder view is offered, else the list-view one with the list
    // view found, else answers none.
    template <class Result, class ByFolderView, class ByListView>
    Result route(Result none, ByFolderView byFolderView, ByListView&& byListView);

    FolderViewFinder finder_;
    UINT timeoutMs_ = kDesktopTimeoutMs;
    BoundedCalls shellCalls_{kDesktopTimeoutMs};
};

}  // namespace plenvik::win32
