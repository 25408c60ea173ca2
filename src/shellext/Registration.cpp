#include "shellext/Registration.h"

#include <olectl.h>

#include "platform/win32/Scoped.h"
#include "shellext/ShellExtensionIds.h"
#include "shellext/TypeLibrary.h"

namespace plenvik::shellext {
namespace {

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kClsidText;

// One value under HKEY_CLASSES_ROOT; an empty value name is the key's default value, a null value
// creates the key without a value.
struct RegistryValue {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
    bool hasValue = true;
};

std::wstring sub(const std::wstring& key, const wchar_t* child) { return key + L"\\" + child; }

bool writeValue(const RegistryValue& v) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, v.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return false;
    win32::UniqueKey key(raw);
    if (!v.hasValue) return true;
    const auto bytes = static_cast<DWORD>((v.value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.value.c_str()), bytes) == ERROR_SUCCESS;
}

// Removes a key with all its sub-keys; a key that is not there is no failure.
bool removeTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

}  // namespace

HRESULT registerServer(const std::wstring& modulePath, const std::wstring& typeLibraryPath, bool perUser) {
    const std::wstring progId = kProgId;
    const std::wstring independent = kVersionIndependentProgId;
    const RegistryValue values[] = {
        {progId, nullptr, kClassName},
        {sub(progId, L"CLSID"), nullptr, kClsidText},
        {independent, nullptr, kClassName},
        {sub(independent, L"CLSID"), nullptr, kClsidText},
        {sub(independent, L"CurVer"), nullptr, progId},
        {kClsidKey, nullptr, kClassName},
        {sub(kClsidKey, L"ProgID"), nullptr, progId},
        {sub(kClsidKey, L"VersionIndependentProgID"), nullptr, independent},
        {sub(kClsidKey, L"Programmable"), nullptr, {}, false},
        {sub(kClsidKey, L"InprocServer32"), nullptr, modulePath},
        {sub(kClsidKey, L"InprocServer32"), L"ThreadingModel", L"Apartment"},
        {sub(kClsidKey, L"TypeLib"), nullptr, kLibidText},
        {kHandlerKey, nullptr, kClsidText},
    };
    // The class key and the handler key are written afresh, without what an older version left there.
    bool ok = removeTree(kClsidKey) && removeTree(kHandlerKey);
    for (const RegistryValue& v : values) ok = ok && writeValue(v);
    if (!ok) {
        unregisterServer(typeLibraryPath, perUser);
        return SELFREG_E_CLASS;
    }
    const HRESULT library = registerTypeLibrary(typeLibraryPath, perUser);
    if (FAILED(library)) {
        unregisterServer(typeLibraryPath, perUser);
        return SELFREG_E_TYPELIB;
    }
    return S_OK;
}

HRESULT unregisterServer(const std::wstring& typeLibraryPath, bool perUser) {
    const HRESULT library = unregisterTypeLibrary(typeLibraryPath, perUser);
    bool ok = true;
    for (const std::wstring& key : {std::wstring(kHandlerKey), kClsidKey, std::wstring(kVersionIndependentProgId), std::wstring(kProgId)})
        ok = removeTree(key) && ok;
    if (!ok) return SELFREG_E_CLASS;
    return FAILED(library) ? SELFREG_E_TYPELIB : S_OK;
}

PerUserClasses::PerUserClasses() {
    HKEY raw = nullptr;
    status_ = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &raw,
                              nullptr);
    if (status_ != ERROR_SUCCESS) return;
    win32::UniqueKey classes(raw);  // the override keeps its own reference
    status_ = RegOverridePredefKey(HKEY_CLASSES_ROOT, classes.get());
}

PerUserClasses::~PerUserClasses() {
    if (status_ == ERROR_SUCCESS) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
}

}  // namespace plenvik::shellext
