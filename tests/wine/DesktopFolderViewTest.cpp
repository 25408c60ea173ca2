// The folder-view route: what Wine offers for it, and the route itself against an in-process folder
// view of our own (the shell's IFolderView exists only on real Windows).
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "desktop/DesktopIcons.h"
#include "desktop/clsDesktop.h"
#include "driver/TestShell.h"
#include "platform/win32/DesktopFolderView.h"
#include "platform/win32/Win32IconView.h"
#include "platform/win32/Wide.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

using win32::ComPtr;

// A folder view with its folder: items are (label, position); ID lists carry the item's index.
class FakeFolderView : public IFolderView, public IShellFolder {
public:
    struct Item {
        std::wstring label;
        POINT position;
    };
    std::vector<Item> items;
    bool snapTo50 = false;  // moves land on multiples of 50, as a desktop that snaps
    std::vector<DWORD> selectFlags;
    std::vector<SHGDNF> nameFlags;

    ComPtr<IFolderView> asFolderView() {
        ComPtr<IFolderView> p;
        QueryInterface(IID_IFolderView, p.putVoid());
        return p;
    }
    LONG references() const { return refs_; }

    // IUnknown (the object lives on the test's stack; the count only shows that every pointer went back).
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IFolderView)
            *ppv = static_cast<IFolderView*>(this);
        else if (riid == IID_IShellFolder)
            *ppv = static_cast<IShellFolder*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs_)); }

    // IFolderView
    STDMETHODIMP GetCurrentViewMode(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetCurrentViewMode(UINT) override { return E_NOTIMPL; }
    STDMETHODIMP GetFolder(REFIID riid, void** ppv) override { return QueryInterface(riid, ppv); }
    STDMETHODIMP Item(int index, PITEMID_CHILD* id) override {
        *id = nullptr;
        if (index < 0 || index >= static_cast<int>(items.size())) return E_INVALIDARG;
        // cb, the index, the terminating zero cb.
        BYTE* p = static_cast<BYTE*>(CoTaskMemAlloc(8));
        const USHORT cb = 6, end = 0;
        std::memcpy(p, &cb, 2);
        std::memcpy(p + 2, &index, 4);
        std::memcpy(p + 6, &end, 2);
        *id = reinterpret_cast<PITEMID_CHILD>(p);
        return S_OK;
    }
    STDMETHODIMP ItemCount(UINT flags, int* count) override {
        *count = flags == SVGIO_ALLVIEW ? static_cast<int>(items.size()) : 0;
        return S_OK;
    }
    STDMETHODIMP Items(UINT, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectionMarkedItem(int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetFocusedItem(int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemPosition(PCUITEMID_CHILD id, POINT* p) override {
        const int i = indexOf(id);
        if (i < 0) return E_INVALIDARG;
        *p = items[i].position;
        return S_OK;
    }
    STDMETHODIMP GetSpacing(POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDefaultSpacing(POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAutoArrange() override { return S_FALSE; }
    STDMETHODIMP SelectItem(int, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY ids, POINT* at, DWORD flags) override {
        selectFlags.push_back(flags);
        for (UINT k = 0; k < count; ++k) {
            const int i = indexOf(ids[k]);
            if (i < 0) return E_INVALIDARG;
            if (!(flags & SVSI_POSITIONITEM)) continue;
            POINT p = at[k];
            if (snapTo50) p = {(p.x + 25) / 50 * 50, (p.y + 25) / 50 * 50};
            items[i].position = p;
        }
        return S_OK;
    }

    // IShellFolder: display names only.
    STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    STDMETHODIMP CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD id, SHGDNF flags, STRRET* name) override {
        const int i = indexOf(id);
        if (i < 0) return E_INVALIDARG;
        nameFlags.push_back(flags);
        const std::wstring& label = items[i].label;
        name->uType = STRRET_WSTR;
        name->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc((label.size() + 1) * sizeof(wchar_t)));
        std::memcpy(name->pOleStr, label.c_str(), (label.size() + 1) * sizeof(wchar_t));
        return S_OK;
    }
    STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }

private:
    int indexOf(PCUITEMID_CHILD id) const {
        USHORT cb = 0;
        int index = -1;
        std::memcpy(&cb, id, 2);
        if (cb != 6) return -1;
        std::memcpy(&index, reinterpret_cast<const BYTE*>(id) + 2, 4);
        return index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
    }

    LONG refs_ = 1;
};

FakeFolderView threeIcons() {
    FakeFolderView fake;
    fake.items = {{L"Papierkorb", {20, 10}}, {L"\u00DCbersicht \u20AC", {120, 10}}, {L"A&B <1>", {-40, 50}}};
    return fake;
}

TEST(DesktopFolderViewTest, FolderViewIsTakenOnlyWhenItHoldsTheDesktopListView) {
    TestShell shell(L"--no-system-icons");
    ASSERT_TRUE(shell.ready());
    EXPECT_FALSE(win32::folderViewShowsListView(nullptr, shell.listView));
    EXPECT_TRUE(win32::folderViewShowsListView(shell.defView, shell.listView));
    EXPECT_FALSE(win32::folderViewShowsListView(shell.progman, shell.listView));
    EXPECT_TRUE(win32::folderViewShowsListView(shell.defView, nullptr));
}

// Wine's ShellWindows, served by its explorer while that runs the desktop (between two test runs it may
// be on its way out and offer nothing), answers FindWindowSW(SWC_DESKTOP) with a desktop shell view that
// has no window and no items: not the desktop the test shell shows, so the list view is used.
TEST(DesktopFolderViewTest, WinesDesktopFolderViewIsNotTakenAndTheListViewIsUsed) {
    DesktopFile file(CSIDL_DESKTOPDIRECTORY, L"Notiz.txt");
    ASSERT_TRUE(file.created());
    TestShell shell(L"--no-system-icons");
    ASSERT_TRUE(shell.ready());
    {
        win32::ComApartment com;
        win32::ShellDesktopView offered;
        pollUntil([&] { return static_cast<bool>((offered = win32::shellDesktopView()).folderView); }, 3000);
        if (offered.folderView) {
            EXPECT_EQ(offered.window, nullptr);
            int count = -1;
            EXPECT_TRUE(SUCCEEDED(offered.folderView->ItemCount(SVGIO_ALLVIEW, &count)));
            EXPECT_EQ(count, 0) << "Wine's desktop view shows nothing, not even the file on the desktop";
        } else {
            RecordProperty("shell_windows", "not offered during this run");
        }
        EXPECT_FALSE(win32::findShellDesktopFolderView(shell.listView));
    }
    win32::Win32IconView view;
    EXPECT_EQ(view.readAll(), shell.dump().items);
}

TEST(DesktopFolderViewTest, IconsAreReadAndMovedThroughAFolderView) {
    FakeFolderView fake = threeIcons();
    {
        win32::FolderViewIcons icons(fake);
        EXPECT_EQ(icons.itemCount(), 3);
        const std::vector<IconItem> expected{{"Papierkorb", {20, 10}}, {"Übersicht €", {120, 10}}, {"A&B <1>", {-40, 50}}};
        EXPECT_EQ(icons.readAll(), expected);
        EXPECT_EQ(icons.label(1), "Übersicht €");
        EXPECT_EQ(icons.position(2), (IconPosition{-40, 50}));
        EXPECT_TRUE(icons.setPosition(1, {40000, -7}));
        EXPECT_EQ(fake.items[1].position.x, 40000);
        EXPECT_EQ(fake.items[1].position.y, -7);
        EXPECT_EQ(fake.selectFlags, std::vector<DWORD>{SVSI_POSITIONITEM});
        // The label the view shows in its folder.
        for (SHGDNF f : fake.nameFlags) EXPECT_EQ(f, static_cast<SHGDNF>(SHGDN_INFOLDER));
        // Items that do not exist.
        EXPECT_EQ(icons.position(3), (IconPosition{}));
        EXPECT_EQ(icons.label(-1), "");
        EXPECT_FALSE(icons.setPosition(3, {1, 1}));
    }
    EXPECT_EQ(fake.references(), 1) << "every interface pointer was released";
}

TEST(DesktopFolderViewTest, TheIconViewPrefersAnOfferedFolderViewForReadingAndMoving) {
    TempFolder folder;
    writeUtf8File(folder.file(L"icons.txt"), "Eins\nZwei\n");
    TestShell shell(L"--icons \"" + folder.file(L"icons.txt") + L"\"");
    ASSERT_TRUE(shell.ready());
    const ShellDump before = shell.dump();

    FakeFolderView fake = threeIcons();
    std::vector<HWND> askedFor;
    win32::Win32IconView view([&](HWND listView) {
        askedFor.push_back(listView);
        return fake.asFolderView();
    });
    ScriptedErrorHandler errors;
    std::vector<IconItem> icons;
    ASSERT_TRUE(fc_DesktopIconsGet(view, errors, icons));
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[1].label, "Übersicht €");
    EXPECT_EQ(view.itemCount(), 3);
    EXPECT_EQ(GetLVWLabel(view, 2), "A&B <1>");

    EXPECT_TRUE(fc_DesktopIconSet(view, errors, 2, 300, 200));
    EXPECT_EQ(fake.items[2].position.x, 300);
    EXPECT_EQ(fake.items[2].position.y, 200);
    EXPECT_EQ(fake.selectFlags.size(), 2u) << "one pixel before, then the place";
    // Not a single move went to the list view.
    EXPECT_EQ(shell.dump().items, before.items);
    // Style, arranging and refresh stay with the list view the finder was asked about.
    ASSERT_FALSE(askedFor.empty());
    for (HWND h : askedFor) EXPECT_EQ(h, shell.listView);
    EXPECT_EQ(view.styleWord(), static_cast<std::int32_t>(GetWindowLongW(shell.listView, GWL_STYLE)));

    EXPECT_EQ(fc_DesktopIconCheckSnapToGrid(view, errors, icons, true), 0);
    EXPECT_EQ(fake.items[0].position.x, 20);
    fake.snapTo50 = true;
    EXPECT_EQ(fc_DesktopIconCheckSnapToGrid(view, errors, icons, true), 5);
    EXPECT_EQ(fake.items[0].position.x, 0);  // (18, 8) went to (0, 0)
    EXPECT_EQ(fake.items[0].position.y, 0);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(fake.references(), 1) << "every interface pointer was released";
}

}  // namespace
}  // namespace plenvik::test
