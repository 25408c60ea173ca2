// The test shell's desktop list view: a real SysListView32 whose items mirror the desktop model. Wine's
// list view ignores snap-to-grid and auto-arrange and arranges LVA_SNAPTOGRID in rows, so the shell
// subclasses it: moves (LVM_SETITEMPOSITION/32), LVM_ARRANGE, style changes and F5 go through the
// model, and the model's positions are written back into the list view. Like Explorer's desktop it
// keeps only what it was told through its own folder view (or did itself): a move sent from another
// thread or process is shown until the next refresh, a style written into the window from outside is
// undone by it, and the refresh itself runs shortly after F5, not inside the key's message.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ShellOptions.h"
#include "ShellSource.h"
#include "platform/sim/DesktopModel.h"
#include "platform/win32/Scoped.h"

namespace plenvik::testshell {

// Sent to the shell's Progman window: writes the dump file; answers kDumpWritten when it did.
inline constexpr UINT kDumpMessage = WM_APP + 1;
inline constexpr LRESULT kDumpWritten = 0x5D;
// Sent to Progman: moves item wParam to (GET_X_LPARAM, GET_Y_LPARAM) of lParam as the user's drag does,
// through the shell's own folder view, so the move is kept; answers TRUE when the item exists.
inline constexpr UINT kMoveAsUserMessage = WM_APP + 2;
// Sent to Progman: the list view hangs in the next message wParam (LVM_GETITEMTEXTW, WM_STYLECHANGING,
// ...) sent to it from another thread or process. It waits for the --hang-event (at most kHangLimitMs)
// before it handles that message, and then reads and writes the memory the message's lParam points to
// with plain accesses, as Explorer's list view answering late does: a block freed under it faults there
// (and the message is not counted as answered late). Answers TRUE when the shell has a hang event.
inline constexpr UINT kHangMessage = WM_APP + 3;
inline constexpr DWORD kHangLimitMs = 15000;

class ShellListView {
public:
    ShellListView(const ShellOptions& options, ShellSource& source);
    ShellListView(const ShellListView&) = delete;
    ShellListView& operator=(const ShellListView&) = delete;

    // Creates the list view in parent (client size width x height) and fills it.
    HWND create(HWND parent, HINSTANCE instance, int width, int height);
    // After the first paint (Wine's list view arranges all icons on it): the start positions, then what
    // the state file kept from an earlier run.
    void placeStartPositions(const std::wstring& positionsFile);

    // What any client sees, read in-process from the list view, and what the shell keeps (UTF-8):
    //   count N / style HEX / exstyle HEX / view N / snap 0|1 / folderstyle HEX / foldersnap 0|1 /
    //   grid L T W H ROWS / refreshes N / late N / item INDEX X Y LABEL / kept INDEX X Y / parsing INDEX NAME ...
    // late counts the messages answered after a hang (kHangMessage).
    bool writeDump(const std::wstring& path);
    // kHangMessage: false without a hang event.
    bool hangAt(UINT message);

    // The folder view's side: what the shell's own view object reads and changes (on this thread).
    HWND window() const { return listView_; }
    const DesktopModel& model() const { return *model_; }
    std::optional<int> indexOfKey(const std::string& key) const;
    bool moveThroughFolderView(int index, IconPosition to);
    // View type and auto-arrange bits (kStyleViewTypeMask | kStyleAutoArrange), kept.
    void setFolderStyle(std::int32_t bits);
    bool folderSnap() const { return folderSnap_; }
    void setFolderSnap(bool on);

private:
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void hang(UINT message, LPARAM lParam);

    BOOL move(int index, IconPosition to, MoveOrigin origin);
    void refresh();
    void insertItem(int index);
    void insertAllItems();
    void showStyle();
    void showSnap();
    void showPositions();
    void showPosition(int index);
    bool positionsShown() const;
    void restoreState();
    void keepState();

    ShellOptions options_;
    std::optional<DesktopModel> model_;
    ShellSource& source_;
    HWND listView_ = nullptr;
    bool folderSnap_;
    bool writingThrough_ = false;  // our own messages pass the subclass untouched
    int refreshes_ = 0;
    win32::UniqueHandle wake_;  // the hang event
    UINT hangAt_ = 0;           // the message to hang in; 0: none
    int lateAnswers_ = 0;
};

}  // namespace plenvik::testshell
