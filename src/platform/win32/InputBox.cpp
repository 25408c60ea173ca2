#include "platform/win32/InputBox.h"

#include "platform/win32/Wide.h"
#include "platform/win32/Window.h"

namespace plenvik::win32 {
namespace {

HWND child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(cls == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w,
                             h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return c;
}

class InputBox : public Window {
public:
    InputBox(HWND owner, const std::string& prompt, const std::string& title, const std::string& defaultText) {
        const HWND window = create(formClass(kInputBoxClass), {.exStyle = WS_EX_DLGMODALFRAME,
                                                               .caption = widen(title),
                                                               .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                                               .width = 460,
                                                               .height = 170,
                                                               .parent = owner});
        if (!window) return;
        child(window, L"STATIC", widen(prompt), 0, 12, 12, 330, 60, 100);
        edit_ = child(window, L"EDIT", widen(defaultText), WS_TABSTOP | ES_AUTOHSCROLL, 12, 90, 420, 24, kInputBoxEditId);
        child(window, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 350, 12, 82, 26, IDOK);
        child(window, L"BUTTON", L"Abbrechen", WS_TABSTOP, 350, 44, 82, 26, IDCANCEL);
    }

    // Shows the prompt modally over owner until OK, Cancel or the close box.
    std::optional<std::string> run(HWND owner) {
        const HWND window = handle();
        if (owner) EnableWindow(owner, FALSE);
        ShowWindow(window, SW_SHOW);
        SetFocus(edit_);
        SendMessageW(edit_, EM_SETSEL, 0, -1);

        MSG msg;
        while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
                SendMessageW(window, WM_COMMAND, IDOK, 0);
                continue;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
                SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
                continue;
            }
            if (!IsDialogMessageW(window, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (owner) EnableWindow(owner, TRUE);
        destroy();
        return result_;
    }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const int length = GetWindowTextLengthW(edit_);
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                GetWindowTextW(edit_, text.data(), length + 1);
                text.resize(static_cast<std::size_t>(length));
                result_ = narrow(text);
                done_ = true;
            } else if (LOWORD(wParam) == IDCANCEL) {
                done_ = true;
            }
            return 0;
        case WM_CLOSE: done_ = true; return 0;
        }
        return defaultHandling(message, wParam, lParam);
    }

    std::optional<std::string> result_;
    bool done_ = false;
    HWND edit_ = nullptr;
};

}  // namespace

std::optional<std::string> runInputBox(HWND owner, const std::string& prompt, const std::string& title, const std::string& defaultText) {
    InputBox box(owner, prompt, title, defaultText);
    if (!box.handle()) return std::nullopt;
    return box.run(owner);
}

}  // namespace plenvik::win32
