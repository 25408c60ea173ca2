// The folder-view route to the desktop's icons: the shell's own view of the desktop folder
// (IFolderView), found through the shell windows. Where the shell offers it, moves go this way: since
// Windows 10 1809 Explorer discards moves made with list-view messages.
#pragma once

#include <windows.h>
#include <shobjidl.h>
#include <exdisp.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/IconView.h"
#include "platform/win32/Scoped.h"

namespace plenvik::win32 {

// What the shell windows offer as the desktop's view (ShellWindows FindWindowSW SWC_DESKTOP >
// IShellBrowser > IShellView > IFolderView): the folder view and the view's window, each possibly none.
struct ShellDesktopView {
    ComPtr<IFolderView> folderView;
    HWND window = nullptr;
};
// windowsClass is the class of the shell windows object: the system's (CLSID_ShellWindows) or, for the
// tests, a stand-in shell's.
ShellDesktopView shellDesktopView(const CLSID& windowsClass = CLSID_ShellWindows);

// The shell's folder view of the desktop. Empty when the system offers none, when the view has no window (Wine's
// desktop view, which shows nothing), or when its window is not the one that holds listView (the view
// would then describe another desktop than the one on the screen). COM must be initialised.
ComPtr<IFolderView> findShellDesktopFolderView(HWND listView, const CLSID& windowsClass = CLSID_ShellWindows);

// Whether a folder view whose window is viewWindow is the desktop that holds listView (which may be
// missing: then any view with a window is).
bool folderViewShowsListView(HWND viewWindow, HWND listView);

// Icons read and moved through a folder view: the shell's, or any other implementation of it.
class FolderViewIcons {
public:
    explicit FolderViewIcons(IFolderView& view) : view_(view) {}

    int itemCount();
    // Labels, positions and what the shell says each item is (its parsing name).
    std::vector<IconItem> readAll();
    // The label the view shows (the name in its folder); empty when it cannot be read.
    std::string label(int index);
    // (0, 0) for an item that does not exist.
    IconPosition position(int index);
    bool setPosition(int index, IconPosition to);
    // FWF_SNAPTOGRID of the view's folder flags (IFolderView2); nullopt where the view cannot tell.
    std::optional<bool> snapToGrid();
    bool setSnapToGrid(bool on);
    // windowWord with its view type and auto-arrange bits replaced by what the folder view keeps; the
    // word unchanged where the view cannot tell.
    std::int32_t styleWord(std::int32_t windowWord);
    // Only the view type and auto-arrange bits of style, through the folder view (which keeps them);
    // false when the view refused either.
    bool setStyleWord(std::int32_t style);

private:
    std::string nameOf(IShellFolder* folder, PCUITEMID_CHILD item, SHGDNF form);
    ComPtr<IShellFolder> folder();

    IFolderView& view_;
};

}  // namespace plenvik::win32
