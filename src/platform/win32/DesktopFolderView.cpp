#include "platform/win32/DesktopFolderView.h"

#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <utility>

#include "platform/win32/Wide.h"

namespace plenvik::win32 {

bool folderViewShowsListView(HWND viewWindow, HWND listView) {
    if (!viewWindow) return false;
    return !listView || GetParent(listView) == viewWindow;
}

ShellDesktopView shellDesktopView(const CLSID& windowsClass) {
    ShellDesktopView offered;
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(windowsClass, nullptr, CLSCTX_ALL, IID_IShellWindows, windows.putVoid()))) return offered;
    VARIANT location;
    VariantInit(&location);
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    VARIANT root;
    VariantInit(&root);
    long window = 0;
    ComPtr<IDispatch> dispatch;
    if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, dispatch.put()) != S_OK || !dispatch)
        return offered;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    if (FAILED(dispatch->QueryInterface(IID_IServiceProvider, services.putVoid())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.putVoid())) ||
        FAILED(browser->QueryActiveShellView(view.put())) || !view)
        return offered;
    if (FAILED(view->GetWindow(&offered.window))) offered.window = nullptr;
    if (FAILED(view->QueryInterface(IID_IFolderView, offered.folderView.putVoid()))) offered.folderView.reset();
    return offered;
}

ComPtr<IFolderView> findShellDesktopFolderView(HWND listView, const CLSID& windowsClass) {
    ShellDesktopView offered = shellDesktopView(windowsClass);
    if (!offered.folderView || !folderViewShowsListView(offered.window, listView)) return {};
    return std::move(offered.folderView);
}

int FolderViewIcons::itemCount() {
    int count = 0;
    return SUCCEEDED(view_.ItemCount(SVGIO_ALLVIEW, &count)) ? count : 0;
}

ComPtr<IShellFolder> FolderViewIcons::folder() {
    ComPtr<IShellFolder> f;
    if (FAILED(view_.GetFolder(IID_IShellFolder, f.putVoid()))) f.reset();
    return f;
}

std::string FolderViewIcons::nameOf(IShellFolder* f, PCUITEMID_CHILD item, SHGDNF form) {
    STRRET name{};
    CoTaskMemory<LPWSTR> text;
    if (!f || FAILED(f->GetDisplayNameOf(item, form, &name)) || FAILED(StrRetToStrW(&name, item, text.put())) || !text.get()) return {};
    return narrow(text.get());
}

std::vector<IconItem> FolderViewIcons::readAll() {
    std::vector<IconItem> items;
    ComPtr<IShellFolder> f = folder();
    const int count = itemCount();
    for (int i = 0; i < count; ++i) {
        IconItem item;
        CoTaskMemory<PITEMID_CHILD> id;
        if (SUCCEEDED(view_.Item(i, id.put())) && id.get()) {
            POINT p{};
            if (SUCCEEDED(view_.GetItemPosition(id.get(), &p))) item.position = {static_cast<int>(p.x), static_cast<int>(p.y)};
            item.label = nameOf(f.get(), id.get(), SHGDN_INFOLDER);
            item.parsingName = nameOf(f.get(), id.get(), SHGDN_FORPARSING);
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::string FolderViewIcons::label(int index) {
    CoTaskMemory<PITEMID_CHILD> id;
    if (FAILED(view_.Item(index, id.put())) || !id.get()) return {};
    ComPtr<IShellFolder> f = folder();
    return nameOf(f.get(), id.get(), SHGDN_INFOLDER);
}

IconPosition FolderViewIcons::position(int index) {
    CoTaskMemory<PITEMID_CHILD> id;
    POINT p{};
    if (FAILED(view_.Item(index, id.put())) || !id.get() || FAILED(view_.GetItemPosition(id.get(), &p))) return {};
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

bool FolderViewIcons::setPosition(int index, IconPosition to) {
    CoTaskMemory<PITEMID_CHILD> id;
    if (FAILED(view_.Item(index, id.put())) || !id.get()) return false;
    PCUITEMID_CHILD items[] = {id.get()};
    POINT p{to.x, to.y};
    return SUCCEEDED(view_.SelectAndPositionItems(1, items, &p, SVSI_POSITIONITEM));
}

}  // namespace plenvik::win32

namespace plenvik::win32 {

std::optional<bool> FolderViewIcons::snapToGrid() {
    ComPtr<IFolderView2> view2;
    DWORD flags = 0;
    if (FAILED(view_.QueryInterface(IID_IFolderView2, view2.putVoid())) || FAILED(view2->GetCurrentFolderFlags(&flags)))
        return std::nullopt;
    return (flags & FWF_SNAPTOGRID) != 0;
}

bool FolderViewIcons::setSnapToGrid(bool on) {
    ComPtr<IFolderView2> view2;
    if (FAILED(view_.QueryInterface(IID_IFolderView2, view2.putVoid()))) return false;
    return SUCCEEDED(view2->SetCurrentFolderFlags(FWF_SNAPTOGRID, on ? static_cast<DWORD>(FWF_SNAPTOGRID) : 0));
}

namespace {

constexpr std::int32_t kViewTypeBits = 0x3, kAutoArrangeBit = 0x100;  // LVS_TYPEMASK, LVS_AUTOARRANGE

// The list view's type (LVS_ICON 0, LVS_REPORT 1, LVS_SMALLICON 2, LVS_LIST 3) of a folder view mode.
std::optional<std::int32_t> viewTypeOfMode(UINT mode) {
    switch (mode) {
    case FVM_ICON: return 0;
    case FVM_DETAILS: return 1;
    case FVM_SMALLICON: return 2;
    case FVM_LIST: return 3;
    default: return std::nullopt;
    }
}

UINT modeOfViewType(std::int32_t type) {
    static constexpr UINT kModes[] = {FVM_ICON, FVM_DETAILS, FVM_SMALLICON, FVM_LIST};
    return kModes[type & kViewTypeBits];
}

}  // namespace

std::int32_t FolderViewIcons::styleWord(std::int32_t windowWord) {
    std::int32_t word = windowWord;
    UINT mode = 0;
    if (SUCCEEDED(view_.GetCurrentViewMode(&mode)))
        if (const auto type = viewTypeOfMode(mode)) word = (word & ~kViewTypeBits) | *type;
    ComPtr<IFolderView2> view2;
    DWORD flags = 0;
    HRESULT autoArrange = S_FALSE;
    if (SUCCEEDED(view_.QueryInterface(IID_IFolderView2, view2.putVoid())) && SUCCEEDED(view2->GetCurrentFolderFlags(&flags)))
        autoArrange = (flags & FWF_AUTOARRANGE) ? S_OK : S_FALSE;
    else
        autoArrange = view_.GetAutoArrange();  // S_OK: on, S_FALSE: off
    if (autoArrange == S_OK) word |= kAutoArrangeBit;
    if (autoArrange == S_FALSE) word &= ~kAutoArrangeBit;
    return word;
}

bool FolderViewIcons::setStyleWord(std::int32_t style) {
    const bool typeSet = SUCCEEDED(view_.SetCurrentViewMode(modeOfViewType(style)));
    ComPtr<IFolderView2> view2;
    if (FAILED(view_.QueryInterface(IID_IFolderView2, view2.putVoid()))) return false;
    const DWORD autoArrange = (style & kAutoArrangeBit) ? static_cast<DWORD>(FWF_AUTOARRANGE) : 0;
    return SUCCEEDED(view2->SetCurrentFolderFlags(FWF_AUTOARRANGE, autoArrange)) && typeSet;
}

}  // namespace plenvik::win32
