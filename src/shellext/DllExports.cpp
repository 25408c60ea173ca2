// The entry points of the in-process server.
#include <windows.h>
#include <olectl.h>

#include <new>
#include <string>

#include "shellext/ClassFactory.h"
#include "shellext/ShellExtensionIds.h"
#include "shellext/ShellModule.h"
#include "shellext/Registration.h"

using namespace plenvik::shellext;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        setModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return moduleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, kClsidOrvelShellExtensions)) return CLASS_E_CLASSNOTAVAILABLE;
    return ClassFactory::create(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        const std::wstring path = modulePath();
        if (path.empty()) return SELFREG_E_CLASS;
        return registerServer(path, typeLibraryPath());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        return unregisterServer(typeLibraryPath());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

// "regsvr32 /n /i:user" (and with /u): the same registration for the current user only, under
// HKCU\Software\Classes. Any other command line is refused.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, PCWSTR commandLine) {
    if (!commandLine || lstrcmpiW(commandLine, L"user") != 0) return E_INVALIDARG;
    try {
        const std::wstring path = modulePath();
        if (path.empty()) return SELFREG_E_CLASS;
        PerUserClasses userClasses;
        if (userClasses.status() != ERROR_SUCCESS) return HRESULT_FROM_WIN32(userClasses.status());
        return install ? registerServer(path, typeLibraryPath(), true) : unregisterServer(typeLibraryPath(), true);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
