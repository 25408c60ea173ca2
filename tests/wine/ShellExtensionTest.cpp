// OrvelShellExtensions.dll under Wine, driven as the shell drives it: class object, interfaces, the
// sub-menu on a real pop-up menu, the verbs, the start of Plenvik.exe and the message when it is missing.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "ShellExtensionTestSupport.h"
#include "platform/win32/Wide.h"
#include "project/ProjectNames.h"
#include "shellext/ShellExtensionResources.h"

namespace plenvik::test {
namespace {

using win32::ComPtr;

// Flags of a background menu that gets the sub-menu: anything but 0 (CMF_NORMAL alone), which adds
// nothing, and without the default-only bit.
constexpr UINT kBackgroundMenuFlags = CMF_NODEFAULT;

struct MenuEntry {
    UINT id = 0;
    bool separator = false;
    std::wstring text;
    HMENU subMenu = nullptr;
    HBITMAP unchecked = nullptr;
};

MenuEntry menuEntry(HMENU menu, int position) {
    wchar_t text[300] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_CHECKMARKS;
    info.dwTypeData = text;
    info.cch = 300;
    MenuEntry entry;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return entry;
    entry.id = info.wID;
    entry.separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.text = entry.separator ? L"-" : text;
    entry.subMenu = info.hSubMenu;
    entry.unchecked = info.hbmpUnchecked;
    return entry;
}

std::vector<MenuEntry> menuEntries(HMENU menu) {
    std::vector<MenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) entries.push_back(menuEntry(menu, i));
    return entries;
}

// The Windows menu that the test owns and destroys (with the sub-menu the extension put into it).
struct PopupMenu {
    PopupMenu() : handle(CreatePopupMenu()) {}
    ~PopupMenu() { DestroyMenu(handle); }
    HMENU handle;
};

class ShellExtensionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(extension_.loaded()) << "OrvelShellExtensions.dll not found beside the test programs";
        computer_ = testComputerName();
        ASSERT_FALSE(computer_.empty());
    }
    ComPtr<IContextMenu> initializedMenu() {
        ComPtr<IShellExtInit> init;
        EXPECT_EQ(extension_.create(IID_IShellExtInit, init), S_OK);
        ComPtr<IContextMenu> menu;
        if (!init) return menu;
        win32::CoTaskMemory<PIDLIST_ABSOLUTE> folder;
        EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, folder.put()), S_OK);
        EXPECT_EQ(init->Initialize(folder.get(), nullptr, nullptr), S_OK);
        EXPECT_EQ(init->QueryInterface(IID_IContextMenu, menu.putVoid()), S_OK);
        return menu;
    }
    std::wstring folder() const { return scratch_.path(); }

    // Torn down in reverse: the DLL is freed, then COM lets go of it, then its folder goes.
    ScratchFolder scratch_;
    win32::ComApartment apartment_;
    LoadedExtension extension_{scratch_.path()};
    std::wstring computer_;
};

TEST_F(ShellExtensionTest, ClassObjectMakesTheObjectWithItsThreeInterfaceTables) {
    ComPtr<IClassFactory> factory;
    const auto getClassObject = extension_.entry<LoadedExtension::GetClassObjectFn>("DllGetClassObject");
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(getClassObject(shellext::kClsidOrvelShellExtensions, IID_IClassFactory, factory.putVoid()), S_OK);
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IUnknown, aggregated.putVoid()),
              CLASS_E_NOAGGREGATION);

    ComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.putVoid()), S_OK);
    ComPtr<IShellExtInit> init;
    ComPtr<IContextMenu> menu;
    ComPtr<IDispatch> dispatch;
    ComPtr<IDispatch> own;
    ComPtr<IPersistFile> unsupported;
    EXPECT_EQ(object->QueryInterface(IID_IShellExtInit, init.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IContextMenu, menu.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(shellext::kIidIOrvelShellExtensions, own.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IPersistFile, unsupported.putVoid()), E_NOINTERFACE);
    // One identity, whichever interface is asked; IOrvelShellExtensions is the first table.
    ComPtr<IUnknown> identity;
    ASSERT_EQ(menu->QueryInterface(IID_IUnknown, identity.putVoid()), S_OK);
    EXPECT_EQ(identity.get(), object.get());
    EXPECT_EQ(static_cast<void*>(own.get()), static_cast<void*>(object.get()));

    // Live objects and the class object keep the module loaded; so does a lock.
    EXPECT_EQ(extension_.canUnloadNow(), S_FALSE);
    object.reset();
    init.reset();
    menu.reset();
    dispatch.reset();
    own.reset();
    identity.reset();
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(extension_.canUnloadNow(), S_FALSE);
    ASSERT_EQ(getClassObject(shellext::kClsidOrvelShellExtensions, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory.reset();
    EXPECT_EQ(extension_.canUnloadNow(), S_OK);
}

TEST_F(ShellExtensionTest, DispatchDescribesTheDualInterfaceOfTheTypeLibrary) {
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(extension_.create(IID_IDispatch, dispatch), S_OK);
    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(dispatch->GetTypeInfo(1, 0, info.put()), DISP_E_BADINDEX);
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.put()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, shellext::kIidIOrvelShellExtensions));
    EXPECT_NE(attr->wTypeFlags & TYPEFLAG_FDUAL, 0);
    EXPECT_EQ(attr->cFuncs, attr->typekind == TKIND_DISPATCH ? 7 : 0) << "no operations beyond IDispatch's";
    info->ReleaseTypeAttr(attr);

    BSTR name = nullptr;
    BSTR doc = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"IOrvelShellExtensions");
    EXPECT_STREQ(doc, L"IOrvelShellExtensions Interface");
    SysFreeString(name);
    SysFreeString(doc);

    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(info->GetContainingTypeLib(library.put(), &index), S_OK);
    ASSERT_EQ(library->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"PlenvikShellExtensionLib");
    EXPECT_STREQ(doc, L"PlenvikShellExtension 1.0 Type Library");
    SysFreeString(name);
    SysFreeString(doc);
    ComPtr<ITypeInfo> coClass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(shellext::kClsidOrvelShellExtensions, coClass.put()), S_OK);
    ASSERT_EQ(coClass->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"OrvelShellExtensions");
    EXPECT_STREQ(doc, L"OrvelShellExtensions Class");
    SysFreeString(name);
    SysFreeString(doc);

    // It has no operations of its own: every name and member is unknown.
    wchar_t member[] = L"Speichern";
    LPOLESTR names[] = {member};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    DISPPARAMS none{};
    EXPECT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
}

TEST_F(ShellExtensionTest, CarriesItsBitmapStringAndVersionResources) {
    const HMODULE dll = extension_.module();
    HRSRC found = FindResourceW(dll, MAKEINTRESOURCEW(IDB_MENU_BITMAP), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    ASSERT_NE(found, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(dll, found)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 16);
    EXPECT_EQ(header->biHeight, 16);
    EXPECT_EQ(header->biBitCount, 24);

    wchar_t text[64] = {};
    EXPECT_EQ(LoadStringW(dll, IDS_PROJNAME, text, 64), 21);
    EXPECT_STREQ(text, L"PlenvikShellExtension");

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(extension_.path().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(extension_.path().c_str(), 0, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\FileDescription", &value, &length));
    EXPECT_STREQ(static_cast<const wchar_t*>(value), L"OrvelShellExtensions Module");
}

TEST_F(ShellExtensionTest, FlagsZeroOrTheDefaultOnlyBitAddNothing) {
    ComPtr<IContextMenu> menu = initializedMenu();
    ASSERT_TRUE(menu);
    for (UINT flags : {static_cast<UINT>(CMF_NORMAL), static_cast<UINT>(CMF_DEFAULTONLY),
                       static_cast<UINT>(CMF_DEFAULTONLY | CMF_NODEFAULT | CMF_EXPLORE)}) {
        PopupMenu popup;
        const HRESULT hr = menu->QueryContextMenu(popup.handle, 0, 100, 0x7FFF, flags);
        EXPECT_EQ(hr, MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0)) << "flags " << flags;
        EXPECT_EQ(GetMenuItemCount(popup.handle), 0) << "flags " << flags;
    }
}

TEST_F(ShellExtensionTest, SubMenuOffersTheTwoCommandsAndThisComputersProjects) {
    // The name the program gives a save on this computer.
    const std::wstring ours = win32::widen(automaticProjectFileName(win32::narrow(computer_), "anna", LocalTime{2024, 1, 1, 12, 0, 0}));
    writeFile(folder() + ours, "<x/>");
    writeFile(folder() + L"Plenvik_ANDERER-PC_anna_240101120000.Plenvk", "<x/>");
    writeFile(folder() + L"Notiz_" + computer_ + L".txt", "x");
    ASSERT_TRUE(CreateDirectoryW((folder() + L"Ordner_" + computer_ + L".Plenvk").c_str(), nullptr));

    ComPtr<IContextMenu> menu = initializedMenu();
    ASSERT_TRUE(menu);
    PopupMenu popup;
    AppendMenuW(popup.handle, MF_STRING, 1, L"Vorhandener Eintrag");
    const HRESULT hr = menu->QueryContextMenu(popup.handle, 0, 100, 0x7FFF, kBackgroundMenuFlags);
    EXPECT_EQ(hr, MAKE_HRESULT(SEVERITY_SUCCESS, 0, 6)) << "next free offset: 5 + one listed project";

    const std::vector<MenuEntry> top = menuEntries(popup.handle);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].text, L"&Plenvik");
    EXPECT_EQ(top[0].id, 100u);
    EXPECT_NE(top[0].unchecked, nullptr);
    EXPECT_EQ(top[1].text, L"Vorhandener Eintrag");
    ASSERT_NE(top[0].subMenu, nullptr);

    const std::vector<MenuEntry> sub = menuEntries(top[0].subMenu);
    ASSERT_EQ(sub.size(), 5u);
    const struct {
        UINT id;
        std::wstring text;
    } expected[] = {
        {101, L"&Plenvik Programm starten..."}, {102, L"-"}, {103, L"&Symbole/Desktop jetzt sichern..."}, {104, L"-"}, {105, ours}};
    for (std::size_t i = 0; i < sub.size(); ++i) {
        EXPECT_EQ(sub[i].text, expected[i].text) << "item " << i;
        EXPECT_EQ(sub[i].id, expected[i].id) << "item " << i;
        if (!sub[i].separator) {
            EXPECT_EQ(sub[i].unchecked, top[0].unchecked) << "item " << i << " has the menu picture";
        }
    }

    BITMAP picture{};
    ASSERT_EQ(GetObjectW(top[0].unchecked, sizeof picture, &picture), static_cast<int>(sizeof picture));
    EXPECT_EQ(picture.bmWidth, 16);
    EXPECT_EQ(picture.bmHeight, 16);
    EXPECT_EQ(picture.bmBitsPixel, 24);
}

TEST_F(ShellExtensionTest, WithoutProjectsOrRoomTheMenuEndsAfterTheSaveCommand) {
    writeFile(folder() + L"Plenvik_" + computer_ + L"_anna.Plenvk", "<x/>");
    ComPtr<IContextMenu> menu = initializedMenu();
    ASSERT_TRUE(menu);
    // The shell granted ids 200..203 only: the project would lie outside them.
    PopupMenu narrow;
    EXPECT_EQ(menu->QueryContextMenu(narrow.handle, 0, 200, 203, kBackgroundMenuFlags), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 4));
    ASSERT_EQ(GetMenuItemCount(narrow.handle), 1);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(narrow.handle, 0)), 3);

    ASSERT_TRUE(DeleteFileW((folder() + L"Plenvik_" + computer_ + L"_anna.Plenvk").c_str()));
    PopupMenu empty;
    EXPECT_EQ(menu->QueryContextMenu(empty.handle, 0, 100, 0x7FFF, kBackgroundMenuFlags), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 4));
    const std::vector<MenuEntry> sub = menuEntries(GetSubMenu(empty.handle, 0));
    ASSERT_EQ(sub.size(), 3u);
    EXPECT_EQ(sub[2].text, L"&Symbole/Desktop jetzt sichern...");
}

TEST_F(ShellExtensionTest, GetCommandStringCopiesTheVerbsWithinTheBuffer) {
    ComPtr<IContextMenu> menu = initializedMenu();
    ASSERT_TRUE(menu);
    const struct {
        UINT_PTR offset;
        UINT size;
        const char* expected;
    } cases[] = {{0, 40, "CPBkgndExt0"}, {1, 40, "CPBkgndExt1"}, {1, 12, "CPBkgndExt1"}, {1, 5, "CPBk"}, {1, 1, ""}};
    for (const auto& c : cases) {
        char narrow[48];
        wchar_t wide[48];
        std::fill(std::begin(narrow), std::end(narrow), '#');
        std::fill(std::begin(wide), std::end(wide), L'#');
        EXPECT_EQ(menu->GetCommandString(c.offset, GCS_VERBA, nullptr, narrow, c.size), S_OK);
        EXPECT_EQ(menu->GetCommandString(c.offset, GCS_VERBW, nullptr, reinterpret_cast<char*>(wide), c.size), S_OK);
        EXPECT_STREQ(narrow, c.expected) << "size " << c.size;
        EXPECT_EQ(std::wstring(wide), std::wstring(c.expected, c.expected + strlen(c.expected))) << "size " << c.size;
        EXPECT_EQ(narrow[c.size], '#') << "written beyond " << c.size << " characters";
        EXPECT_EQ(wide[c.size], L'#') << "written beyond " << c.size << " characters";
    }
    char untouched[8] = "#######";
    EXPECT_EQ(menu->GetCommandString(1, GCS_HELPTEXTA, nullptr, untouched, 8), S_OK);
    EXPECT_STREQ(untouched, "#######");
    EXPECT_EQ(menu->GetCommandString(2, GCS_VERBA, nullptr, untouched, 8), E_INVALIDARG);
    EXPECT_EQ(menu->GetCommandString(5, GCS_VERBW, nullptr, untouched, 4), E_INVALIDARG);
    EXPECT_STREQ(untouched, "#######");
}

// The stand-in records its parameters and working directory in StandIn.txt beside itself.
struct Invocation {
    std::wstring parameters;
    std::wstring directory;
};

std::optional<Invocation> waitForInvocation(const std::wstring& folder) {
    const std::wstring path = folder + L"StandIn.txt";
    if (!pollUntil([&] { return fileExists(path); })) return std::nullopt;
    win32::UniqueFile f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!f) return std::nullopt;
    std::wstring text(4096, L'\0');
    DWORD read = 0;
    ReadFile(f.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    text.resize(read / sizeof(wchar_t));
    f.reset();
    DeleteFileW(path.c_str());
    const auto line = text.find(L'\n');
    if (line == std::wstring::npos) return std::nullopt;
    return Invocation{text.substr(0, line), text.substr(line + 1)};
}

HRESULT invoke(IContextMenu* menu, unsigned offset) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    return menu->InvokeCommand(&info);
}

TEST_F(ShellExtensionTest, InvokeCommandStartsPlenvikFromItsFolderWithTheChosenParameters) {
    const std::wstring standIn = buildFolder() + L"\\tests\\ShellExtensionStandIn.exe";
    ASSERT_TRUE(CopyFileW(standIn.c_str(), (folder() + L"Plenvik.exe").c_str(), FALSE)) << "stand-in not built";
    const std::wstring project = L"Mein Desktop " + computer_ + L".Plenvk";
    writeFile(folder() + project, "<x/>");

    ComPtr<IContextMenu> menu = initializedMenu();
    ASSERT_TRUE(menu);
    PopupMenu popup;
    ASSERT_EQ(menu->QueryContextMenu(popup.handle, 0, 1, 0x7FFF, kBackgroundMenuFlags), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 6));

    const struct {
        unsigned offset;
        std::wstring parameters;
    } cases[] = {{1, L""}, {3, L"SAVE"}, {5, L"RESTORE \"" + project + L"\""}};
    std::wstring folderWithoutSlash = folder().substr(0, folder().size() - 1);
    for (const auto& c : cases) {
        ASSERT_EQ(invoke(menu.get(), c.offset), S_OK) << "offset " << c.offset;
        const std::optional<Invocation> started = waitForInvocation(folder());
        ASSERT_TRUE(started.has_value()) << "the stand-in did not report for offset " << c.offset;
        EXPECT_EQ(started->parameters, c.parameters) << "offset " << c.offset;
        EXPECT_EQ(CompareStringOrdinal(started->directory.c_str(), -1, folderWithoutSlash.c_str(), -1, TRUE), CSTR_EQUAL)
            << "working directory for offset " << c.offset;
    }

    // A verb string, the sub-menu, separators and offsets beyond the list are no commands.
    CMINVOKECOMMANDINFO byVerb{};
    byVerb.cbSize = sizeof byVerb;
    byVerb.lpVerb = "CPBkgndExt1";
    EXPECT_EQ(menu->InvokeCommand(&byVerb), E_INVALIDARG);
    for (unsigned offset : {0u, 2u, 4u, 6u, 40u}) EXPECT_EQ(invoke(menu.get(), offset), E_INVALIDARG) << offset;
    Sleep(300);
    EXPECT_FALSE(fileExists(folder() + L"StandIn.txt")) << "a refused command started the program";
}

// The message box of a failed start, found from a second thread, read and answered with OK.
struct AnsweredBox {
    bool found = false;
    bool owned = true;
    std::wstring text;
};

struct WindowSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK matchOwnWindow(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || windowText(w) != search->caption) return TRUE;
    search->found = w;
    return FALSE;
}

HWND findOwnTopWindow(const wchar_t* caption) {
    WindowSearch search{caption, nullptr};
    EnumWindows(matchOwnWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(ShellExtensionTest, MissingPlenvikShowsTheMessageAndReportsInvalidArgument) {
    ComPtr<IContextMenu> menu = initializedMenu();
    ASSERT_TRUE(menu);
    AnsweredBox box;
    std::thread answer([&box] {
        HWND window = nullptr;
        box.found = pollUntil([&] { return (window = findOwnTopWindow(L"Orvel ShellExtension")) != nullptr; });
        if (!box.found) return;
        wchar_t text[256] = {};
        GetDlgItemTextW(window, 0xFFFF, text, 256);  // the message's static text
        box.text = text;
        box.owned = GetWindow(window, GW_OWNER) != nullptr;
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    const HRESULT hr = invoke(menu.get(), 3);
    answer.join();
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(static_cast<unsigned long>(hr), 0x80070057ul);
    ASSERT_TRUE(box.found) << "no message box \"Orvel ShellExtension\"";
    EXPECT_EQ(box.text, L"Fehler beim Aufrufen des Programmes Plenvik.exe.\nSAVE");
    EXPECT_FALSE(box.owned);
}

}  // namespace
}  // namespace plenvik::test
