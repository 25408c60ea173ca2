#include "platform/win32/DesktopWindows.h"

namespace plenvik::win32 {

namespace {

HWND listViewBelow(HWND top) {
    HWND defView = top ? FindWindowExW(top, nullptr, L"SHELLDLL_DefView", nullptr) : nullptr;
    return defView ? FindWindowExW(defView, nullptr, L"SysListView32", nullptr) : nullptr;
}

}  // namespace

HWND findDesktopListView() {
    if (HWND lv = listViewBelow(FindWindowW(L"Progman", nullptr))) return lv;
    // Class names compare without regard to case; FindWindowEx does that.
    for (HWND worker = FindWindowExW(nullptr, nullptr, L"WorkerW", nullptr); worker;
         worker = FindWindowExW(nullptr, worker, L"WorkerW", nullptr))
        if (HWND lv = listViewBelow(worker)) return lv;
    return nullptr;
}

}  // namespace plenvik::win32
