// Stands in for Plenvik.exe in the shell extension's tests (copied under that name): writes the
// parameters it was started with (its command line without the program) and its working directory,
// as UTF-16, into StandIn.txt beside itself, then ends.
#include <windows.h>

#include <string>

namespace {

// The command line after the program's name, which may be quoted.
std::wstring parametersOf(const wchar_t* commandLine) {
    std::wstring line = commandLine;
    std::size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const auto close = line.find(L'"', 1);
        i = close == std::wstring::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
    }
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    return line.substr(i);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring out = self;
    out = out.substr(0, out.find_last_of(L'\\') + 1) + L"StandIn.txt";
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    const std::wstring text = parametersOf(GetCommandLineW()) + L"\n" + cwd;
    // Written under a temporary name and renamed, so that the test never reads half a file.
    const std::wstring temp = out + L".tmp";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(temp.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
