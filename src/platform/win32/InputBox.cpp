#include "platform/win32/InputBox.h"

#include "platform/win32/FormClass.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

struct InputState {
    std::optional<std::string> result;
    bool done = false;
    HWND edit = nullptr;
};

LRESULT CALLBACK inputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return 0;
    }
    case WM_COMMAND:
        if (!state) break;
        if (LOWORD(wParam) == IDOK) {
            const int length = GetWindowTextLengthW(state->edit);
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            GetWindowTextW(state->edit, text.data(), length + 1);
            text.resize(static_cast<std::size_t>(length));
            state->result = narrow(text);
            state->done = true;
        } else if (LOWORD(wParam) == IDCANCEL) {
            state->done = true;
        }
        return 0;
    case WM_CLOSE:
        if (state) state->done = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(cls == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text.c_str(),
                             WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return c;
}

}  // namespace

std::optional<std::string> runInputBox(HWND owner, const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
    registerFormClass(kInputBoxClass, inputProc);

    InputState state;
    HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kInputBoxClass, widen(title).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 460, 170, owner,
                                  nullptr, GetModuleHandleW(nullptr), &state);
    if (!window) return std::nullopt;
    child(window, L"STATIC", widen(prompt), 0, 12, 12, 330, 60, 100);
    state.edit = child(window, L"EDIT", widen(defaultText), WS_TABSTOP | ES_AUTOHSCROLL, 12, 90, 420, 24, kInputBoxEditId);
    child(window, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 350, 12, 82, 26, IDOK);
    child(window, L"BUTTON", L"Abbrechen", WS_TABSTOP, 350, 44, 82, 26, IDCANCEL);
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetFocus(state.edit);
    SendMessageW(state.edit, EM_SETSEL, 0, -1);

    MSG msg;
    while (!state.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
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
    DestroyWindow(window);
    return state.result;
}

}  // namespace plenvik::win32
