#include "ShellFolder.h"

#include <cstring>

#include "platform/win32/Wide.h"

namespace plenvik::testshell {

namespace {

// After the size field: this mark, then the key's UTF-8 bytes.
constexpr char kMark[4] = {'P', 'T', 'S', '1'};

}  // namespace

PITEMID_CHILD makeItemId(const std::string& key) {
    const std::size_t itemSize = 2 + sizeof kMark + key.size();
    if (itemSize > 0xFFFF - 2) return nullptr;
    BYTE* p = static_cast<BYTE*>(CoTaskMemAlloc(itemSize + 2));
    if (!p) return nullptr;
    const USHORT cb = static_cast<USHORT>(itemSize), end = 0;
    std::memcpy(p, &cb, 2);
    std::memcpy(p + 2, kMark, sizeof kMark);
    std::memcpy(p + 2 + sizeof kMark, key.data(), key.size());
    std::memcpy(p + itemSize, &end, 2);
    return reinterpret_cast<PITEMID_CHILD>(p);
}

std::optional<std::string> keyOfItemId(PCUIDLIST_RELATIVE id) {
    if (!id) return std::nullopt;
    USHORT cb = 0;
    std::memcpy(&cb, id, 2);
    const BYTE* p = reinterpret_cast<const BYTE*>(id);
    if (cb < 2 + sizeof kMark || std::memcmp(p + 2, kMark, sizeof kMark) != 0) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(p + 2 + sizeof kMark), cb - 2 - sizeof kMark);
}

void* ShellFolder::find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IShellFolder) return static_cast<IShellFolder*>(this);
    return nullptr;
}

HRESULT ShellFolder::GetDisplayNameOf(PCUITEMID_CHILD id, SHGDNF flags, STRRET* name) {
    if (!name) return E_POINTER;
    const auto key = keyOfItemId(id);
    const auto index = key ? view_.indexOfKey(*key) : std::nullopt;
    if (!index) return E_INVALIDARG;
    const DesktopEntry& entry = view_.model().items()[*index].entry;
    std::string shown = entry.label;
    if (flags & SHGDN_FORPARSING) {
        shown = entry.parsingName;
        const std::size_t slash = shown.rfind('\\');
        if ((flags & SHGDN_INFOLDER) && slash != std::string::npos) shown.erase(0, slash + 1);
    }
    const std::wstring text = win32::widen(shown);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    name->uType = STRRET_WSTR;
    name->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!name->pOleStr) return E_OUTOFMEMORY;
    std::memcpy(name->pOleStr, text.c_str(), bytes);
    return S_OK;
}

}  // namespace plenvik::testshell
