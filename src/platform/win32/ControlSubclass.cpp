#include "platform/win32/ControlSubclass.h"

#include <memory>

namespace plenvik::win32 {
namespace {

// The handler's address is the subclass id, so that one control can have several.
LRESULT CALLBACK route(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* handler = reinterpret_cast<ControlHandler*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, route, id);
        delete handler;
        return DefSubclassProc(control, message, wParam, lParam);
    }
    return (*handler)(control, message, wParam, lParam);
}

}  // namespace

bool subclassControl(HWND control, ControlHandler handler) {
    auto owned = std::make_unique<ControlHandler>(std::move(handler));
    const auto id = reinterpret_cast<UINT_PTR>(owned.get());
    if (!control || !*owned || !SetWindowSubclass(control, route, id, reinterpret_cast<DWORD_PTR>(owned.get()))) return false;
    owned.release();
    return true;
}

}  // namespace plenvik::win32
