#include "shellext/ShellModule.h"

namespace plenvik::shellext {
namespace {

HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

}  // namespace

void setModuleHandle(HMODULE module) { g_module = module; }
HMODULE moduleHandle() { return g_module; }

std::wstring modulePath() {
    // Grows the buffer for long paths: a cut path would name another file.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

std::wstring moduleFolder() {
    std::wstring path = modulePath();
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring typeLibraryPath() {
    std::wstring path = modulePath();
    const auto dot = path.find_last_of(L'.');
    const auto slash = path.find_last_of(L'\\');
    if (path.empty() || dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
    return path.substr(0, dot) + L".tlb";
}

void objectCreated() { InterlockedIncrement(&g_objects); }
void objectDestroyed() { InterlockedDecrement(&g_objects); }
void lockServer(bool lock) {
    if (lock)
        InterlockedIncrement(&g_locks);
    else
        InterlockedDecrement(&g_locks);
}
bool moduleInUse() { return g_objects > 0 || g_locks > 0; }

}  // namespace plenvik::shellext
