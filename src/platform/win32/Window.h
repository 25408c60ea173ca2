// The base of Plenvik's own windows. It registers a window class once per name with one window
// procedure, creates the window with the object in CREATESTRUCT's lpCreateParams, and from WM_NCCREATE
// until WM_NCDESTROY hands every message to the object's handleMessage (DefWindowProcW unless a
// window overrides it), also the messages sent while the window is being created.
//
//   class Box : public Window {
//   public:
//       explicit Box(HWND owner) { create(formClass(L"PlenvikBox"), {.caption = L"Box", .style = WS_POPUP, .parent = owner}); }
//   private:
//       LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override;
//   };
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace plenvik::win32 {

// What the windows of a class share.
struct WindowClass {
    const wchar_t* name = nullptr;
    UINT style = 0;                     // CS_...
    const wchar_t* cursor = IDC_ARROW;  // a system cursor
    HBRUSH background = nullptr;        // a brush or COLOR_... + 1
    HICON icon = nullptr;
};

// A form's class: dialog-grey background, arrow cursor.
inline WindowClass formClass(const wchar_t* name) { return {.name = name, .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}; }

// What CreateWindowExW takes besides the class.
struct WindowShape {
    DWORD exStyle = 0;
    std::wstring caption = {};
    DWORD style = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;  // a child's parent, a top-level window's owner
    int id = 0;             // a child's control id
};

class Window {
public:
    // Destroys the window if it is still there (see destroy).
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The window; null before it is created and after it has gone.
    HWND handle() const { return window_; }

    // Gives the object to its window, which deletes it when it has gone (WM_NCDESTROY): for controls
    // no other object holds. Without a window the object is deleted at once.
    static void handOver(std::unique_ptr<Window> object);

protected:
    Window() = default;

    // Registers the class unless a class of that name is registered, and creates the window. Null
    // when it cannot be made (GetLastError tells why).
    HWND create(const WindowClass& windowClass, const WindowShape& shape);
    // Destroys the window. Its last messages (WM_DESTROY and on) no longer reach the object; a window
    // that destroys itself (DestroyWindow) still hears them.
    void destroy();

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(window_, message, wParam, lParam); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void detach();

    HWND window_ = nullptr;
    bool ownedByWindow_ = false;
};

}  // namespace plenvik::win32
