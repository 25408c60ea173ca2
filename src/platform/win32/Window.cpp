#include "platform/win32/Window.h"

namespace plenvik::win32 {
namespace {

void registerOnce(const WindowClass& c, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW existing{};
    if (GetClassInfoW(instance, c.name, &existing)) return;
    WNDCLASSW wc{};
    wc.style = c.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = c.icon;
    wc.hCursor = LoadCursorW(nullptr, c.cursor);
    wc.hbrBackground = c.background;
    wc.lpszClassName = c.name;
    RegisterClassW(&wc);
}

}  // namespace

Window::~Window() { destroy(); }

void Window::handOver(std::unique_ptr<Window> object) {
    if (object && object->window_) object.release()->ownedByWindow_ = true;
}

HWND Window::create(const WindowClass& windowClass, const WindowShape& shape) {
    registerOnce(windowClass, &Window::procedure);
    return CreateWindowExW(shape.exStyle, windowClass.name, shape.caption.c_str(), shape.style, shape.x, shape.y, shape.width, shape.height,
                           shape.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(shape.id)), GetModuleHandleW(nullptr), this);
}

void Window::destroy() {
    if (!window_) return;
    const HWND window = window_;
    detach();
    DestroyWindow(window);
}

void Window::detach() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return defaultHandling(message, wParam, lParam); }

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        if (auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)) {
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->detach();
        if (self->ownedByWindow_) delete self;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

}  // namespace plenvik::win32
