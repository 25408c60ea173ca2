#include "platform/win32/Wide.h"

#include <windows.h>

#include "common/Text.h"

namespace plenvik::win32 {

std::wstring widen(std::string_view utf8) {
    const std::u16string u16 = utf8ToUtf16(utf8);
    return std::wstring(u16.begin(), u16.end());
}

std::string narrow(std::wstring_view wide) { return utf16ToUtf8(std::u16string(wide.begin(), wide.end())); }

std::string systemErrorText(unsigned long code) {
    wchar_t buffer[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                                   static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring text(buffer, n);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    return narrow(text);
}

std::string win32FailureText(std::string_view operation, unsigned long code) {
    std::string text(operation);
    text += " fehlgeschlagen (Fehler " + std::to_string(code);
    const std::string system = systemErrorText(code);
    if (!system.empty()) text += ": " + system;
    return text + ")";
}

}  // namespace plenvik::win32
