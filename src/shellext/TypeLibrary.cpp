#include "shellext/TypeLibrary.h"

#include <oleauto.h>

#include "platform/win32/Scoped.h"
#include "shellext/ShellExtensionIds.h"

// In oleaut32 (and its MinGW import library) since Windows Vista, but not declared by MinGW's headers.
extern "C" {
WINOLEAUTAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpDir);
WINOLEAUTAPI UnRegisterTypeLibForUser(REFGUID libraryId, WORD major, WORD minor, LCID lcid, SYSKIND syskind);
}

namespace plenvik::shellext {
namespace {

using win32::ComPtr;

constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

#define PLENVIK_RETURN_IF_FAILED(expr) \
    do {                               \
        const HRESULT hr_ = (expr);    \
        if (FAILED(hr_)) return hr_;   \
    } while (false)

HRESULT addInterface(ICreateTypeLib2* library, ComPtr<ITypeInfo>& interfaceInfo) {
    ComPtr<ICreateTypeInfo> itf;
    PLENVIK_RETURN_IF_FAILED(library->CreateTypeInfo(const_cast<LPOLESTR>(kInterfaceName), TKIND_INTERFACE, itf.put()));
    PLENVIK_RETURN_IF_FAILED(itf->SetGuid(kIidIOrvelShellExtensions));
    PLENVIK_RETURN_IF_FAILED(itf->SetDocString(const_cast<LPOLESTR>(kInterfaceDoc)));
    PLENVIK_RETURN_IF_FAILED(itf->SetTypeFlags(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION));

    // The base interface IDispatch comes from the system's OLE Automation library.
    ComPtr<ITypeLib> stdole;
    PLENVIK_RETURN_IF_FAILED(LoadTypeLib(L"stdole2.tlb", stdole.put()));
    ComPtr<ITypeInfo> dispatch;
    PLENVIK_RETURN_IF_FAILED(stdole->GetTypeInfoOfGuid(IID_IDispatch, dispatch.put()));
    HREFTYPE base = 0;
    PLENVIK_RETURN_IF_FAILED(itf->AddRefTypeInfo(dispatch.get(), &base));
    PLENVIK_RETURN_IF_FAILED(itf->AddImplType(0, base));
    PLENVIK_RETURN_IF_FAILED(itf->LayOut());
    return itf->QueryInterface(IID_ITypeInfo, interfaceInfo.putVoid());
}

HRESULT addCoClass(ICreateTypeLib2* library, ITypeInfo* interfaceInfo) {
    ComPtr<ICreateTypeInfo> cls;
    PLENVIK_RETURN_IF_FAILED(library->CreateTypeInfo(const_cast<LPOLESTR>(kCoClassName), TKIND_COCLASS, cls.put()));
    PLENVIK_RETURN_IF_FAILED(cls->SetGuid(kClsidOrvelShellExtensions));
    PLENVIK_RETURN_IF_FAILED(cls->SetDocString(const_cast<LPOLESTR>(kClassName)));
    PLENVIK_RETURN_IF_FAILED(cls->SetTypeFlags(TYPEFLAG_FCANCREATE));
    HREFTYPE ref = 0;
    PLENVIK_RETURN_IF_FAILED(cls->AddRefTypeInfo(interfaceInfo, &ref));
    PLENVIK_RETURN_IF_FAILED(cls->AddImplType(0, ref));
    PLENVIK_RETURN_IF_FAILED(cls->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT));
    return cls->LayOut();
}

// The whole library, bound to `path` (written only by SaveAllChanges).
HRESULT buildTypeLibrary(const std::wstring& path, ComPtr<ICreateTypeLib2>& library) {
    PLENVIK_RETURN_IF_FAILED(CreateTypeLib2(kSysKind, path.c_str(), library.put()));
    PLENVIK_RETURN_IF_FAILED(library->SetName(const_cast<LPOLESTR>(kTypeLibraryName)));
    PLENVIK_RETURN_IF_FAILED(library->SetDocString(const_cast<LPOLESTR>(kTypeLibraryDoc)));
    PLENVIK_RETURN_IF_FAILED(library->SetGuid(kLibidPlenvikShellExtensionLib));
    PLENVIK_RETURN_IF_FAILED(library->SetVersion(1, 0));
    PLENVIK_RETURN_IF_FAILED(library->SetLcid(LOCALE_NEUTRAL));
    ComPtr<ITypeInfo> interfaceInfo;
    PLENVIK_RETURN_IF_FAILED(addInterface(library.get(), interfaceInfo));
    return addCoClass(library.get(), interfaceInfo.get());
}

bool typeLibraryRegistered() {
    const std::wstring key = std::wstring(L"TypeLib\\") + kLibidText + L"\\1.0";
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    win32::UniqueKey opened(raw);
    return true;
}

}  // namespace

HRESULT registerTypeLibrary(const std::wstring& path, bool perUser) {
    {
        ComPtr<ICreateTypeLib2> library;
        PLENVIK_RETURN_IF_FAILED(buildTypeLibrary(path, library));
        PLENVIK_RETURN_IF_FAILED(library->SaveAllChanges());
    }
    ComPtr<ITypeLib> saved;
    PLENVIK_RETURN_IF_FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, saved.put()));
    std::wstring registeredPath = path;  // RegisterTypeLib takes a writable string
    return perUser ? RegisterTypeLibForUser(saved.get(), registeredPath.data(), nullptr)
                   : RegisterTypeLib(saved.get(), registeredPath.data(), nullptr);
}

HRESULT unregisterTypeLibrary(const std::wstring& path, bool perUser) {
    HRESULT result = S_OK;
    const auto unregister = perUser ? &UnRegisterTypeLibForUser : &UnRegisterTypeLib;
    if (typeLibraryRegistered() && FAILED(unregister(kLibidPlenvikShellExtensionLib, 1, 0, LOCALE_NEUTRAL, kSysKind))) {
        // UnRegisterTypeLib reads the registered file; without it, our own keys are removed directly.
        for (const std::wstring& key : {std::wstring(L"TypeLib\\") + kLibidText, std::wstring(L"Interface\\") + kIidText}) {
            const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) result = HRESULT_FROM_WIN32(status);
        }
    }
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND && SUCCEEDED(result))
        result = HRESULT_FROM_WIN32(GetLastError());
    return result;
}

HRESULT interfaceTypeInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    // Never saved: the path only names the library.
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) return E_FAIL;
    ComPtr<ICreateTypeLib2> library;
    PLENVIK_RETURN_IF_FAILED(buildTypeLibrary(std::wstring(temp) + kTypeLibraryFile, library));
    ComPtr<ITypeLib> lib;
    PLENVIK_RETURN_IF_FAILED(library->QueryInterface(IID_ITypeLib, lib.putVoid()));
    return lib->GetTypeInfoOfGuid(kIidIOrvelShellExtensions, info);
}

}  // namespace plenvik::shellext
