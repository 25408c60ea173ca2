#include "platform/win32/Win32Dialogs.h"

#include <shlobj.h>

#include "platform/win32/InputBox.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "ui/win32/MsgBoxWindow.h"

namespace plenvik::win32 {
namespace {

UINT buttonsFlag(MsgButtons b) {
    switch (b) {
    case MsgButtons::OkCancel: return MB_OKCANCEL;
    case MsgButtons::YesNo: return MB_YESNO;
    case MsgButtons::YesNoCancel: return MB_YESNOCANCEL;
    case MsgButtons::Ok: break;
    }
    return MB_OK;
}

UINT iconFlag(MsgIcon i) {
    switch (i) {
    case MsgIcon::Critical: return MB_ICONERROR;
    case MsgIcon::Question: return MB_ICONQUESTION;
    case MsgIcon::Exclamation: return MB_ICONEXCLAMATION;
    case MsgIcon::Information: return MB_ICONINFORMATION;
    case MsgIcon::None: break;
    }
    return 0;
}

int CALLBACK browseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

}  // namespace

MsgAnswer Win32Dialogs::messageBox(const MessageBoxRequest& r) {
    const int result =
        MessageBoxW(owner_, widen(r.text).c_str(), widen(r.title).c_str(),
                    buttonsFlag(r.buttons) | iconFlag(r.icon) | MB_SETFOREGROUND | (r.secondButtonDefault ? MB_DEFBUTTON2 : 0u));
    switch (result) {
    case IDYES: return MsgAnswer::Yes;
    case IDNO: return MsgAnswer::No;
    case IDOK: return MsgAnswer::Ok;
    default: return MsgAnswer::Cancel;
    }
}

std::optional<std::string> Win32Dialogs::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    return runInputBox(owner_, prompt, title, defaultText);
}

std::optional<std::string> Win32Dialogs::browseForFolder(const std::string& title, const std::string& initial) {
    ComApartment com;
    const std::wstring wideTitle = widen(title), wideInitial = widen(initial);
    BROWSEINFOW info{};
    info.hwndOwner = owner_;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = browseCallback;
    info.lParam = reinterpret_cast<LPARAM>(wideInitial.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != 0;
    CoTaskMemFree(chosen);
    if (!ok) return std::nullopt;
    std::wstring result = path;
    if (result.size() > 3 && result.back() == L'\\') result.pop_back();
    return narrow(result);
}

int Win32Dialogs::countdownBox(const std::string& message, const std::string& title, int seconds) {
    return showCountdownMessageBox(owner_, title, message, seconds);
}

}  // namespace plenvik::win32
