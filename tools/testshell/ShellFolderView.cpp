#include "ShellFolderView.h"

#include <commctrl.h>

#include "ShellFolder.h"

namespace plenvik::testshell {

UINT viewModeOfStyle(std::int32_t style) {
    switch (style & kStyleViewTypeMask) {
    case LVS_REPORT: return FVM_DETAILS;
    case LVS_SMALLICON: return FVM_SMALLICON;
    case LVS_LIST: return FVM_LIST;
    default: return FVM_ICON;
    }
}

std::optional<std::int32_t> viewTypeOfMode(UINT mode) {
    switch (mode) {
    case FVM_ICON: return LVS_ICON;
    case FVM_DETAILS: return LVS_REPORT;
    case FVM_SMALLICON: return LVS_SMALLICON;
    case FVM_LIST: return LVS_LIST;
    default: return std::nullopt;
    }
}

void* ShellFolderView::find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IShellView) return static_cast<IShellView*>(this);
    if (riid == IID_IFolderView || riid == IID_IFolderView2) return static_cast<IFolderView2*>(this);
    return nullptr;
}

std::optional<int> ShellFolderView::indexOf(PCUITEMID_CHILD id) const {
    const auto key = keyOfItemId(id);
    return key ? view_.indexOfKey(*key) : std::nullopt;
}

HRESULT ShellFolderView::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = GetParent(view_.window());
    return S_OK;
}

HRESULT ShellFolderView::Refresh() {
    PostMessageW(view_.window(), WM_KEYDOWN, VK_F5, 0x101);
    return S_OK;
}

HRESULT ShellFolderView::GetCurrentInfo(LPFOLDERSETTINGS settings) {
    if (!settings) return E_POINTER;
    settings->ViewMode = viewModeOfStyle(view_.model().folderStyle());
    settings->fFlags = 0;
    return GetCurrentFolderFlags(reinterpret_cast<DWORD*>(&settings->fFlags));
}

HRESULT ShellFolderView::GetCurrentViewMode(UINT* mode) {
    if (!mode) return E_POINTER;
    *mode = viewModeOfStyle(view_.model().folderStyle());
    return S_OK;
}

HRESULT ShellFolderView::SetCurrentViewMode(UINT mode) {
    const auto type = viewTypeOfMode(mode);
    if (!type) return E_INVALIDARG;
    view_.setFolderStyle((view_.model().folderStyle() & ~kStyleViewTypeMask) | *type);
    return S_OK;
}

HRESULT ShellFolderView::GetViewModeAndIconSize(FOLDERVIEWMODE* mode, int* size) {
    if (!mode || !size) return E_POINTER;
    UINT current = FVM_ICON;
    GetCurrentViewMode(&current);
    *mode = static_cast<FOLDERVIEWMODE>(current);
    *size = current == FVM_ICON ? 48 : 16;
    return S_OK;
}

HRESULT ShellFolderView::SetViewModeAndIconSize(FOLDERVIEWMODE mode, int) { return SetCurrentViewMode(static_cast<UINT>(mode)); }

HRESULT ShellFolderView::GetFolder(REFIID riid, void** folder) {
    if (!folder) return E_POINTER;
    ShellFolder* created = new ShellFolder(view_);
    const HRESULT hr = created->QueryInterface(riid, folder);
    created->Release();
    return hr;
}

HRESULT ShellFolderView::Item(int index, PITEMID_CHILD* id) {
    if (!id) return E_POINTER;
    *id = nullptr;
    if (index < 0 || index >= view_.model().count()) return E_INVALIDARG;
    *id = makeItemId(view_.model().items()[index].entry.key);
    return *id ? S_OK : E_OUTOFMEMORY;
}

HRESULT ShellFolderView::ItemCount(UINT flags, int* count) {
    if (!count) return E_POINTER;
    *count = (flags & SVGIO_TYPE_MASK) == SVGIO_ALLVIEW ? view_.model().count() : 0;
    return S_OK;
}

HRESULT ShellFolderView::GetItemPosition(PCUITEMID_CHILD id, POINT* at) {
    if (!at) return E_POINTER;
    const auto index = indexOf(id);
    if (!index) return E_INVALIDARG;
    const IconPosition p = view_.model().items()[*index].position;
    *at = {p.x, p.y};
    return S_OK;
}

HRESULT ShellFolderView::GetSpacing(POINT* spacing) {
    if (!spacing) return E_POINTER;
    *spacing = {view_.model().grid().cellWidth, view_.model().grid().cellHeight};
    return S_OK;
}

HRESULT ShellFolderView::GetAutoArrange() { return (view_.model().folderStyle() & kStyleAutoArrange) ? S_OK : S_FALSE; }

HRESULT ShellFolderView::SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY ids, POINT* at, DWORD flags) {
    if (count > 0 && !ids) return E_INVALIDARG;
    if ((flags & SVSI_POSITIONITEM) && count > 0 && !at) return E_INVALIDARG;
    for (UINT k = 0; k < count; ++k) {
        const auto index = indexOf(ids[k]);
        if (!index) return E_INVALIDARG;
        if (flags & SVSI_POSITIONITEM) view_.moveThroughFolderView(*index, {static_cast<int>(at[k].x), static_cast<int>(at[k].y)});
    }
    return S_OK;
}

HRESULT ShellFolderView::GetCurrentFolderFlags(DWORD* flags) {
    if (!flags) return E_POINTER;
    const DWORD autoArrange = (view_.model().folderStyle() & kStyleAutoArrange) ? static_cast<DWORD>(FWF_AUTOARRANGE) : 0;
    *flags = autoArrange | (view_.folderSnap() ? static_cast<DWORD>(FWF_SNAPTOGRID) : 0);
    return S_OK;
}

HRESULT ShellFolderView::SetCurrentFolderFlags(DWORD mask, DWORD flags) {
    if (mask & FWF_AUTOARRANGE) {
        const std::int32_t style = view_.model().folderStyle();
        view_.setFolderStyle((flags & FWF_AUTOARRANGE) ? style | kStyleAutoArrange : style & ~kStyleAutoArrange);
    }
    if (mask & FWF_SNAPTOGRID) view_.setFolderSnap((flags & FWF_SNAPTOGRID) != 0);
    return S_OK;
}

}  // namespace plenvik::testshell
