#include "shellext/OrvelShellExtensions.h"

#include <shellapi.h>

#include <new>
#include <vector>

#include "shellext/PlenvikStart.h"
#include "shellext/ShellExtensionIds.h"
#include "shellext/ShellExtensionResources.h"
#include "shellext/ShellModule.h"
#include "shellext/TypeLibrary.h"

namespace plenvik::shellext {
namespace {

// The computer name as the program writes it into its automatic file names; empty when unknown.
std::wstring computerName() {
    std::wstring name(MAX_COMPUTERNAME_LENGTH + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(name.size());
        if (GetComputerNameW(name.data(), &size)) {
            name.resize(size);
            return name;
        }
        // On a too small buffer the size needed (with terminator) comes back.
        if (GetLastError() != ERROR_BUFFER_OVERFLOW || size <= name.size()) return {};
        name.assign(size, L'\0');
    }
    return {};
}

// The entries matching the project pattern in the folder, in the order the file system returns them.
std::vector<FoundEntry> findProjectEntries(const std::wstring& folder) {
    std::vector<FoundEntry> found;
    if (folder.empty()) return found;
    const std::wstring pattern = folder + std::wstring(kProjectPattern);
    WIN32_FIND_DATAW data{};
    win32::UniqueFind find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return found;
    do {
        found.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.get(), &data));
    return found;
}

HBITMAP loadMenuBitmap() {
    // A DIB section keeps the resource's 24 bits per pixel whatever the screen's depth.
    return static_cast<HBITMAP>(LoadImageW(moduleHandle(), MAKEINTRESOURCEW(IDB_MENU_BITMAP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Fills a new pop-up menu from the model; nullptr when the menu cannot be built.
HMENU buildSubMenu(const ShellMenu& model, UINT firstId, HBITMAP bitmap) {
    HMENU sub = CreatePopupMenu();
    if (!sub) return nullptr;
    for (const MenuItem& item : model.items) {
        const UINT id = firstId + item.offset;
        const BOOL added =
            item.separator ? AppendMenuW(sub, MF_SEPARATOR, id, nullptr) : AppendMenuW(sub, MF_STRING, id, item.text.c_str());
        if (!added) {
            DestroyMenu(sub);
            return nullptr;
        }
        if (!item.separator && bitmap) SetMenuItemBitmaps(sub, id, MF_BYCOMMAND, bitmap, nullptr);
    }
    return sub;
}

// A client's reference to the first interface table: IUnknown, IDispatch and IOrvelShellExtensions.
bool isFirstTableInterface(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIidIOrvelShellExtensions);
}

}  // namespace

OrvelShellExtensions::OrvelShellExtensions() : moduleFolder_(moduleFolder()), menuBitmap_(loadMenuBitmap()) { objectCreated(); }

OrvelShellExtensions::~OrvelShellExtensions() { objectDestroyed(); }

HRESULT OrvelShellExtensions::create(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    OrvelShellExtensions* created = nullptr;
    try {
        created = new OrvelShellExtensions();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

HRESULT OrvelShellExtensions::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (isFirstTableInterface(iid))
        *object = static_cast<IOrvelShellExtensions*>(this);
    else if (IsEqualIID(iid, IID_IShellExtInit))
        *object = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(iid, IID_IContextMenu))
        *object = static_cast<IContextMenu*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG OrvelShellExtensions::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG OrvelShellExtensions::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// ---- IDispatch: the interface has no operations, so every name and member is unknown ----

HRESULT OrvelShellExtensions::typeInfo(ITypeInfo** info) {
    if (!typeInfo_) {
        const HRESULT hr = interfaceTypeInfo(typeInfo_.put());
        if (FAILED(hr)) return hr;
    }
    typeInfo_->AddRef();
    *info = typeInfo_.get();
    return S_OK;
}

HRESULT OrvelShellExtensions::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT OrvelShellExtensions::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    try {
        return typeInfo(info);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT OrvelShellExtensions::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (count > 0 && (!names || !ids)) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return count == 0 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT OrvelShellExtensions::Invoke(DISPID, REFIID iid, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return DISP_E_MEMBERNOTFOUND;
}

// ---- IShellExtInit ----

HRESULT OrvelShellExtensions::Initialize(PCIDLIST_ABSOLUTE folder, IDataObject*, HKEY) {
    try {
        folderPath_.clear();
        if (folder) {
            std::wstring path(MAX_PATH, L'\0');
            if (SHGetPathFromIDListEx(folder, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) {
                path.resize(wcslen(path.c_str()));
                folderPath_ = path;
            }
        }
    } catch (const std::bad_alloc&) {
        // The folder is not used further: the menu does not depend on it.
    }
    return S_OK;
}

// ---- IContextMenu ----

HRESULT OrvelShellExtensions::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) {
    if ((flags & CMF_DEFAULTONLY) != 0 || flags == 0) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    if (!menu || lastId < firstId) return E_INVALIDARG;
    try {
        const std::optional<ShellMenu> model = composeShellMenu(findProjectEntries(moduleFolder_), computerName(), lastId - firstId);
        if (!model) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);

        const auto bitmap = static_cast<HBITMAP>(menuBitmap_.get());
        HMENU sub = buildSubMenu(*model, firstId, bitmap);
        if (!sub) return HRESULT_FROM_WIN32(GetLastError());

        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_ID | MIIM_CHECKMARKS;
        item.wID = firstId + kOffsetSubMenu;
        item.hSubMenu = sub;
        std::wstring text(kSubMenuText);
        item.dwTypeData = text.data();
        item.hbmpUnchecked = bitmap;
        if (!InsertMenuItemW(menu, index, TRUE, &item)) {
            const DWORD error = GetLastError();
            DestroyMenu(sub);
            return HRESULT_FROM_WIN32(error);
        }
        subMenu_ = sub;
        menu_ = *model;
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, model->nextOffset);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT OrvelShellExtensions::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info) return E_INVALIDARG;
    // Only a command offset is understood; a verb string is refused. With a Unicode structure the
    // wide verb must be an offset too.
    if (!IS_INTRESOURCE(info->lpVerb)) return E_INVALIDARG;
    if (info->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info->fMask & CMIC_MASK_UNICODE) != 0) {
        const auto* ex = reinterpret_cast<const CMINVOKECOMMANDINFOEX*>(info);
        if (ex->lpVerbW && !IS_INTRESOURCE(ex->lpVerbW)) return E_INVALIDARG;
    }
    try {
        const unsigned offset = LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb));
        const std::optional<std::wstring> parameters = plenvikParameters(menu_ ? &*menu_ : nullptr, offset);
        if (!parameters) return E_INVALIDARG;
        return startPlenvik(moduleFolder_, *parameters) ? S_OK : E_INVALIDARG;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT OrvelShellExtensions::GetCommandString(UINT_PTR offset, UINT type, UINT*, CHAR* buffer, UINT size) {
    const std::optional<std::string_view> verb = verbForOffset(offset);
    if (!verb) return E_INVALIDARG;
    if (type == GCS_VERBA)
        copyWithTerminator(*verb, buffer, size);
    else if (type == GCS_VERBW)
        copyWithTerminator(*verb, reinterpret_cast<wchar_t*>(buffer), size);
    // Help texts and validation leave the buffer as it is.
    return S_OK;
}

}  // namespace plenvik::shellext
