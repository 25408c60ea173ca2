#include "platform/win32/Win32Basics.h"

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

std::wstring moduleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

char localeChar(LCTYPE what, char fallback) {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, what, buffer, 8) < 2) return fallback;
    return buffer[0] < 0x80 ? static_cast<char>(buffer[0]) : fallback;
}

}  // namespace

std::string Win32SystemInfo::computerName() {
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(buffer, &size) ? narrow(std::wstring(buffer, size)) : std::string();
}

std::string Win32SystemInfo::userName() {
    wchar_t buffer[257] = {};
    DWORD size = 257;
    if (!GetUserNameW(buffer, &size)) return {};
    return narrow(buffer);  // size counts the terminating NUL
}

OsVersion Win32SystemInfo::osVersion() {
    // GetVersionEx answers with the manifest's compatibility level; RtlGetVersion tells the truth.
    OsVersion v;
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    using RtlGetVersionFn = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        if (auto fn = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
            fn && fn(&info) == 0) {
            v.platformId = static_cast<int>(info.dwPlatformId);
            v.major = static_cast<int>(info.dwMajorVersion);
            v.minor = static_cast<int>(info.dwMinorVersion);
            v.build = static_cast<int>(info.dwBuildNumber);
            v.servicePack = narrow(info.szCSDVersion);
        }
    }
    return v;
}

std::string Win32SystemInfo::programFolder() {
    const std::wstring path = moduleFileName();
    const auto cut = path.find_last_of(L"\\/");
    return narrow(cut == std::wstring::npos ? std::wstring() : path.substr(0, cut));
}

std::string Win32SystemInfo::programFileName() {
    std::wstring path = moduleFileName();
    const auto cut = path.find_last_of(L"\\/");
    if (cut != std::wstring::npos) path = path.substr(cut + 1);
    const auto dot = path.find_last_of(L'.');
    return narrow(dot == std::wstring::npos ? path : path.substr(0, dot));
}

LocalTime Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Locale::formatGeneralDate(const LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    wchar_t date[128] = {}, time[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, time, 128);
    return narrow(date) + " " + narrow(time);
}

std::optional<LocalTime> Win32Locale::parseGeneralDate(const std::string& text) {
    // The same parser the system uses for its own date-time texts in the user's locale.
    DATE date = 0;
    std::wstring wide = widen(text);
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date))) return std::nullopt;
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(date, &st)) return std::nullopt;
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

char Win32Locale::decimalSeparator() { return localeChar(LOCALE_SDECIMAL, '.'); }
char Win32Locale::thousandsSeparator() { return localeChar(LOCALE_STHOUSAND, ','); }

bool Win32Processes::shellOpen(const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool Win32Processes::start(const std::string& program, const std::string& arguments) {
    std::wstring commandLine = L"\"" + widen(program) + L"\"";
    if (!arguments.empty()) commandLine += L" " + widen(arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    return true;
}

void Win32EventPump::pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace plenvik::win32
