// The test shell's desktop list view: a real SysListView32 whose items mirror the desktop model. Wine's
// list view ignores snap-to-grid and auto-arrange and arranges LVA_SNAPTOGRID in rows, so the shell
// subclasses it: moves (LVM_SETITEMPOSITION/32), LVM_ARRANGE, style changes and F5 go through the
// model, and the model's positions are written back into the list view.
#pragma once

#include <windows.h>

#include <string>

#include "ShellOptions.h"
#include "ShellSource.h"
#include "desktop/DesktopModel.h"

namespace plenvik::testshell {

// Sent to the shell's Progman window: writes the dump file; answers kDumpWritten when it did.
inline constexpr UINT kDumpMessage = WM_APP + 1;
inline constexpr LRESULT kDumpWritten = 0x5D;

class ShellListView {
public:
    ShellListView(const ShellOptions& options, ShellSource& source);
    ShellListView(const ShellListView&) = delete;
    ShellListView& operator=(const ShellListView&) = delete;

    // Creates the list view in parent (client size width x height) and fills it.
    HWND create(HWND parent, HINSTANCE instance, int width, int height);
    // After the first paint (Wine's list view arranges all icons on it): the start positions.
    void placeStartPositions(const std::wstring& positionsFile);

    // What any client sees, read in-process from the list view (UTF-8):
    //   count N / style HEX / exstyle HEX / view N / snap 0|1 / grid L T W H ROWS / refreshes N /
    //   item INDEX X Y LABEL ...
    bool writeDump(const std::wstring& path);

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    BOOL move(int index, IconPosition to);
    void refresh();
    void insertItem(int index);
    void showPositions();
    void showPosition(int index);
    bool positionsShown() const;

    DesktopModel model_;
    ShellSource& source_;
    HWND listView_ = nullptr;
    bool writingThrough_ = false;  // our own messages pass the subclass untouched
    int refreshes_ = 0;
};

}  // namespace plenvik::testshell
