// The folder-view route: what Wine offers for it, the route against an in-process folder view of our
// own, and the whole chain across the process boundary against the test shell's shell windows
// (ShellWindows > FindWindowSW > IServiceProvider > IShellBrowser > IShellView > IFolderView2), through
// COM's marshaling.
#include <windows.h>
#include <commctrl.h>
#include <exdisp.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "desktop/DesktopIcons.h"
#include "desktop/DesktopWindow.h"
#include "driver/TestShell.h"
#include "errors/RuntimeError.h"
#include "platform/win32/DesktopFolderView.h"
#include "platform/win32/Win32IconView.h"
#include "platform/win32/Wide.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

using win32::ComPtr;
using win32::CoTaskMemory;

// A folder view with its folder: items are (label, position); ID lists carry the item's index.
class FakeFolderView : public IFolderView, public IShellFolder {
public:
    struct Item {
        std::wstring label;
        POINT position;
        std::wstring parsingName{};
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
        const std::wstring& label = (flags & SHGDN_FORPARSING) ? items[i].parsingName : items[i].label;
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
    fake.items = {{L"Papierkorb", {20, 10}, L"::{645FF040-5081-101B-9F08-00AA002F954E}"},
                  {L"\u00DCbersicht \u20AC", {120, 10}, L"C:\\users\\u\\Desktop\\\u00DCbersicht \u20AC.docx"},
                  {L"A&B <1>", {-40, 50}, L"C:\\users\\Public\\Desktop\\A&B <1>.lnk"}};
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
        const std::vector<IconItem> expected{{"Papierkorb", {20, 10}, "::{645FF040-5081-101B-9F08-00AA002F954E}"},
                                             {"Übersicht €", {120, 10}, "C:\\users\\u\\Desktop\\Übersicht €.docx"},
                                             {"A&B <1>", {-40, 50}, "C:\\users\\Public\\Desktop\\A&B <1>.lnk"}};
        EXPECT_EQ(icons.readAll(), expected);
        EXPECT_EQ(icons.label(1), "Übersicht €");
        EXPECT_EQ(icons.position(2), (IconPosition{-40, 50}));
        EXPECT_TRUE(icons.setPosition(1, {40000, -7}));
        EXPECT_EQ(fake.items[1].position.x, 40000);
        EXPECT_EQ(fake.items[1].position.y, -7);
        EXPECT_EQ(fake.selectFlags, std::vector<DWORD>{SVSI_POSITIONITEM});
        // The label the view shows in its folder, and the parsing name (the full path).
        for (SHGDNF f : fake.nameFlags) EXPECT_TRUE(f == SHGDN_INFOLDER || f == SHGDN_FORPARSING) << f;
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
    ASSERT_TRUE(readDesktopIcons(view, errors, icons));
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[1].label, "Übersicht €");
    EXPECT_EQ(view.itemCount(), 3);
    EXPECT_EQ(readListViewLabel(view, 2), "A&B <1>");

    EXPECT_TRUE(moveDesktopIcon(view, errors, 2, 300, 200));
    EXPECT_EQ(fake.items[2].position.x, 300);
    EXPECT_EQ(fake.items[2].position.y, 200);
    EXPECT_EQ(fake.selectFlags.size(), 2u) << "one pixel before, then the place";
    // Not a single move went to the list view.
    EXPECT_EQ(shell.dump().items, before.items);
    // Style, arranging and refresh stay with the list view the finder was asked about.
    ASSERT_FALSE(askedFor.empty());
    for (HWND h : askedFor) EXPECT_EQ(h, shell.listView);
    EXPECT_EQ(view.styleWord(), static_cast<std::int32_t>(GetWindowLongW(shell.listView, GWL_STYLE)));

    EXPECT_EQ(measureSnapToGrid(view, errors, icons, true), 0);
    EXPECT_EQ(fake.items[0].position.x, 20);
    fake.snapTo50 = true;
    EXPECT_EQ(measureSnapToGrid(view, errors, icons, true), 5);
    EXPECT_EQ(fake.items[0].position.x, 0);  // (18, 8) went to (0, 0)
    EXPECT_EQ(fake.items[0].position.y, 0);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(fake.references(), 1) << "every interface pointer was released";
}

// The chain step by step through the shell's own class, each call's result named: where Wine's
// marshaling fails, this says which call and how.
TEST(DesktopFolderViewAcrossProcessesTest, EveryStepOfTheChainAnswersAcrossTheProcessBoundary) {
    TempFolder folder;
    ASSERT_TRUE(writeUtf8File(folder.file(L"icons.txt"), "Eins\nZwei\n"));
    TestShell shell(L"--icons \"" + folder.file(L"icons.txt") + L"\"");
    ASSERT_TRUE(shell.ready());
    win32::ComApartment com;
    ComPtr<IShellWindows> windows;
    ASSERT_EQ(CoCreateInstance(shell.shellWindowsClass, nullptr, CLSCTX_ALL, IID_IShellWindows, windows.putVoid()), S_OK)
        << "CoCreateInstance";
    VARIANT location, root;
    VariantInit(&location);
    VariantInit(&root);
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    long window = 0;
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, dispatch.put()), S_OK) << "FindWindowSW";
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<LONG_PTR>(window)), shell.progman);
    ComPtr<IServiceProvider> services;
    ASSERT_EQ(dispatch->QueryInterface(IID_IServiceProvider, services.putVoid()), S_OK) << "QueryInterface(IServiceProvider)";
    ComPtr<IShellBrowser> browser;
    ASSERT_EQ(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.putVoid()), S_OK) << "QueryService";
    ComPtr<IShellView> view;
    ASSERT_EQ(browser->QueryActiveShellView(view.put()), S_OK) << "QueryActiveShellView";
    HWND viewWindow = nullptr;
    EXPECT_EQ(view->GetWindow(&viewWindow), S_OK) << "IShellView::GetWindow";
    EXPECT_EQ(viewWindow, shell.defView);
    ComPtr<IFolderView2> folderView;
    ASSERT_EQ(view->QueryInterface(IID_IFolderView2, folderView.putVoid()), S_OK) << "QueryInterface(IFolderView2)";
    int count = 0;
    EXPECT_EQ(folderView->ItemCount(SVGIO_ALLVIEW, &count), S_OK) << "ItemCount";
    EXPECT_EQ(count, 2);
    DWORD flags = 0;
    EXPECT_EQ(folderView->GetCurrentFolderFlags(&flags), S_OK) << "GetCurrentFolderFlags";
    EXPECT_EQ(flags & FWF_SNAPTOGRID, static_cast<DWORD>(FWF_SNAPTOGRID)) << "a stock desktop snaps";
    UINT mode = 0;
    EXPECT_EQ(folderView->GetCurrentViewMode(&mode), S_OK) << "GetCurrentViewMode";
    EXPECT_EQ(mode, static_cast<UINT>(FVM_ICON));
    ComPtr<IShellFolder> shellFolder;
    EXPECT_EQ(folderView->GetFolder(IID_IShellFolder, shellFolder.putVoid()), S_OK) << "GetFolder";

    // Where Wine stops: its shtypes.idl marshals an ITEMIDLIST as the fixed struct {cb, abID[1]} (no
    // wire_marshal as on Windows), so an ID list crosses cut to its first byte. Item answers, but the
    // shell does not know the list it gets back. When this fails, Wine marshals ID lists whole and the
    // item calls can be tested across the boundary.
    CoTaskMemory<PITEMID_CHILD> id;
    ASSERT_EQ(folderView->Item(1, id.put()), S_OK) << "Item";
    POINT at{};
    EXPECT_EQ(folderView->GetItemPosition(id.get(), &at), E_INVALIDARG) << "GetItemPosition with a marshaled ID list";
    STRRET name{};
    EXPECT_EQ(shellFolder->GetDisplayNameOf(id.get(), SHGDN_INFOLDER, &name), E_INVALIDARG) << "GetDisplayNameOf";
}

// Options for a shell of the given desktop files, with its state kept in folder's state file.
std::wstring keepingState(const TempFolder& folder, const std::wstring& more = L"--no-system-icons") {
    return more + L" --state \"" + folder.file(L"state.txt") + L"\"";
}

TEST(DesktopFolderViewAcrossProcessesTest, StyleAndSnapGoThroughTheFolderViewAndOutlastARestart) {
    DesktopFile a(CSIDL_DESKTOPDIRECTORY, L"Alpha.unbekannt7");
    ASSERT_TRUE(a.created());
    TempFolder folder;
    {
        TestShell shell(keepingState(folder));
        ASSERT_TRUE(shell.ready());
        win32::Win32IconView view(shell.shellWindowsClass);
        const std::int32_t start = view.styleWord();
        EXPECT_EQ(start, static_cast<std::int32_t>(GetWindowLongW(shell.listView, GWL_STYLE)));
        EXPECT_EQ(view.snapToGrid(), std::optional<bool>(true));

        // Small icons with auto-arrange; the word's other bits are not the folder view's to set.
        ASSERT_TRUE(view.setStyleWord((start & ~0x103) | 0x102 | 0x8));
        ShellDump d = shell.dump();
        EXPECT_EQ(d.folderStyle, 0x102u);
        EXPECT_EQ(d.view, LV_VIEW_SMALLICON);
        EXPECT_EQ(d.style & ~0x103u, static_cast<std::uint32_t>(start) & ~0x103u) << "the window's other bits untouched";
        EXPECT_EQ(view.styleWord(), static_cast<std::int32_t>(d.style));
        ASSERT_TRUE(view.setSnapToGrid(false));
        EXPECT_EQ(view.snapToGrid(), std::optional<bool>(false));
        EXPECT_FALSE(shell.dump().folderSnap);

        // Written into the window from outside: shown, and undone by the next refresh.
        SetWindowLongW(shell.listView, GWL_STYLE, (GetWindowLongW(shell.listView, GWL_STYLE) & ~0x103) | LVS_LIST);
        EXPECT_EQ(shell.dump().view, LV_VIEW_LIST);
        EXPECT_EQ(view.styleWord() & 0x103, 0x102) << "the folder view's truth";
        DesktopWindow(view).RefreshDesktop();
        d = shell.dumpAfterRefresh(d.refreshes);
        EXPECT_EQ(d.view, LV_VIEW_SMALLICON);
        EXPECT_EQ(d.style & 0x103u, 0x102u);
    }
    TestShell restarted(keepingState(folder));
    ASSERT_TRUE(restarted.ready());
    win32::Win32IconView view(restarted.shellWindowsClass);
    EXPECT_EQ(view.styleWord() & 0x103, 0x102);
    EXPECT_EQ(view.snapToGrid(), std::optional<bool>(false));
    EXPECT_EQ(restarted.dump().view, LV_VIEW_SMALLICON);
}

// Explorer's thread hangs: a call into its folder view fails within the time-out, the next fails too
// while that call is still out, and the view is taken again once the shell answers.
TEST(DesktopFolderViewAcrossProcessesTest, AHungShellFailsTheCallInTimeAndIsTakenAgainOnceItAnswers) {
    TestShell shell(L"--no-system-icons");
    ASSERT_TRUE(shell.ready());
    win32::Win32IconView view([windows = shell.shellWindowsClass](HWND lv) { return win32::findShellDesktopFolderView(lv, windows); }, 500);
    ASSERT_EQ(view.route(), IconRoute::FolderView);
    // The shell's thread stays in this message until it is woken, and serves no COM call meanwhile.
    ASSERT_TRUE(shell.hangAt(LVM_GETITEMCOUNT));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(shell.listView, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 100, &ignored);
    const auto failure = [&] {
        try {
            view.route();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0L;
    };
    EXPECT_EQ(failure(), ERROR_TIMEOUT) << "the hung call";
    EXPECT_EQ(failure(), ERROR_TIMEOUT) << "while it is out";
    shell.wake();
    IconRoute route = IconRoute::None;
    pollUntil([&] {
        try {
            route = view.route();
        } catch (const RuntimeError&) {}
        return route == IconRoute::FolderView;
    });
    EXPECT_EQ(route, IconRoute::FolderView);
}

}  // namespace
}  // namespace plenvik::test
