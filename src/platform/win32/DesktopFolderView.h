// The folder-view route to the desktop's icons: the shell's own view of the desktop folder
// (IFolderView), found through the shell windows. Where the shell offers it, moves go this way: since
// Windows 10 1809 Explorer discards moves made with list-view messages.
#pragma once

#include <windows.h>
#include <shobjidl.h>

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
ShellDesktopView shellDesktopView();

// The shell's folder view of the desktop. Empty when the system offers none, when the view has no window (Wine's
// desktop view, which shows nothing), or when its window is not the one that holds listView (the view
// would then describe another desktop than the one on the screen). COM must be initialised.
ComPtr<IFolderView> findShellDesktopFolderView(HWND listView);

// Whether a folder view whose window is viewWindow is the desktop that holds listView (which may be
// missing: then any view with a window is).
bool folderViewShowsListView(HWND viewWindow, HWND listView);

// Icons read and moved through a folder view: the shell's, or any other implementation of it.
class FolderViewIcons {
public:
    explicit FolderViewIcons(IFolderView& view) : view_(view) {}

    int itemCount();
    std::vector<IconItem> readAll();
    // The label the view shows (the name in its folder); empty when it cannot be read.
    std::string label(int index);
    // (0, 0) for an item that does not exist.
    IconPosition position(int index);
    bool setPosition(int index, IconPosition to);
    // FWF_SNAPTOGRID of the view's folder flags (IFolderView2); nullopt where the view cannot tell.
    std::optional<bool> snapToGrid();
    bool setSnapToGrid(bool on);

private:
    std::string labelOf(IShellFolder* folder, PCUITEMID_CHILD item);
    ComPtr<IShellFolder> folder();

    IFolderView& view_;
};

}  // namespace plenvik::win32
