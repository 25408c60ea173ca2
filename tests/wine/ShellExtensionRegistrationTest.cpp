// DllRegisterServer and DllUnregisterServer of OrvelShellExtensions.dll against Wine's registry: every
// key and value of the class, its ProgIDs, the context-menu handler and the type library; unregistering
// removes exactly those and leaves the shared parent keys and other handlers alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "ShellExtensionTestSupport.h"

namespace plenvik::test {
namespace {

using win32::ComPtr;
using namespace plenvik::shellext;

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kClsidText;
const std::wstring kHandlers = L"Directory\\Background\\ShellEx\\ContextMenuHandlers";
const std::wstring kNeighbour = kHandlers + L"\\PlenvikTestNachbar";
const std::wstring kTypeLibKey = std::wstring(L"TypeLib\\") + kLibidText;

bool keyExists(const std::wstring& key) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    win32::UniqueKey opened(raw);
    return true;
}

// A REG_SZ value under HKEY_CLASSES_ROOT; nullptr names the default value.
std::optional<std::wstring> stringValue(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(data);
}

void createKeyWithValue(const std::wstring& key, const wchar_t* value) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr), ERROR_SUCCESS);
    win32::UniqueKey k(raw);
    ASSERT_EQ(RegSetValueExW(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

class ShellExtensionRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(extension_.loaded()) << "OrvelShellExtensions.dll not found beside the test programs";
        registerServer_ = extension_.entry<LoadedExtension::NoArgumentFn>("DllRegisterServer");
        unregisterServer_ = extension_.entry<LoadedExtension::NoArgumentFn>("DllUnregisterServer");
        ASSERT_NE(registerServer_, nullptr);
        ASSERT_NE(unregisterServer_, nullptr);
        createKeyWithValue(kNeighbour, L"{00000000-0000-0000-0000-000000000001}");
    }
    void TearDown() override {
        if (unregisterServer_) unregisterServer_();
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kNeighbour.c_str());
    }
    std::wstring typeLibraryFile() const { return scratch_.path() + L"OrvelShellExtensions.tlb"; }

    // Torn down in reverse: the DLL is freed, then COM lets go of it, then its folder goes.
    ScratchFolder scratch_;
    win32::ComApartment apartment_;
    LoadedExtension extension_{scratch_.path()};
    LoadedExtension::NoArgumentFn registerServer_ = nullptr;
    LoadedExtension::NoArgumentFn unregisterServer_ = nullptr;
};

TEST_F(ShellExtensionRegistrationTest, RegisterWritesEveryEntryOfTheRegistrationScript) {
    ASSERT_EQ(registerServer_(), S_OK);
    const std::wstring progId = kProgId;
    const std::wstring independent = kVersionIndependentProgId;
    const struct {
        std::wstring key;
        const wchar_t* name;
        std::wstring value;
    } expected[] = {
        {progId, nullptr, L"OrvelShellExtensions Class"},
        {progId + L"\\CLSID", nullptr, kClsidText},
        {independent, nullptr, L"OrvelShellExtensions Class"},
        {independent + L"\\CLSID", nullptr, kClsidText},
        {independent + L"\\CurVer", nullptr, L"PlenvikShellExtension.OrvelShellExtensions.1"},
        {kClsidKey, nullptr, L"OrvelShellExtensions Class"},
        {kClsidKey + L"\\ProgID", nullptr, L"PlenvikShellExtension.OrvelShellExtensions.1"},
        {kClsidKey + L"\\VersionIndependentProgID", nullptr, L"PlenvikShellExtension.OrvelShellExtensions"},
        {kClsidKey + L"\\InprocServer32", nullptr, extension_.path()},
        {kClsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {kClsidKey + L"\\TypeLib", nullptr, kLibidText},
        {kHandlers + L"\\Plenvik", nullptr, kClsidText},
        {kTypeLibKey + L"\\1.0", nullptr, L"PlenvikShellExtension 1.0 Type Library"},
        {kTypeLibKey + L"\\1.0\\0\\" + (sizeof(void*) == 8 ? L"win64" : L"win32"), nullptr, typeLibraryFile()},
    };
    for (const auto& e : expected)
        EXPECT_EQ(stringValue(e.key, e.name), std::optional<std::wstring>(e.value))
            << "HKCR\\" << std::string(e.key.begin(), e.key.end()) << (e.name ? " value " : " default value");
    EXPECT_TRUE(keyExists(kClsidKey + L"\\Programmable"));
    EXPECT_TRUE(fileExists(typeLibraryFile()));

    // What a client finds through the registry: the type library, and the class itself in process.
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(kLibidPlenvikShellExtensionLib, 1, 0, 0, library.put()), S_OK);
    ComPtr<ITypeInfo> coClass;
    EXPECT_EQ(library->GetTypeInfoOfGuid(kClsidOrvelShellExtensions, coClass.put()), S_OK);
    ComPtr<IContextMenu> menu;
    EXPECT_EQ(CoCreateInstance(kClsidOrvelShellExtensions, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu, menu.putVoid()), S_OK);
}

TEST_F(ShellExtensionRegistrationTest, RegisterRewritesTheClassAndHandlerKeys) {
    ASSERT_EQ(registerServer_(), S_OK);
    createKeyWithValue(kClsidKey + L"\\Veraltet", L"alt");
    createKeyWithValue(kHandlers + L"\\Plenvik\\Veraltet", L"alt");
    ASSERT_EQ(registerServer_(), S_OK);
    EXPECT_FALSE(keyExists(kClsidKey + L"\\Veraltet"));
    EXPECT_FALSE(keyExists(kHandlers + L"\\Plenvik\\Veraltet"));
    EXPECT_EQ(stringValue(kClsidKey + L"\\InprocServer32"), std::optional<std::wstring>(extension_.path()));
}

TEST_F(ShellExtensionRegistrationTest, UnregisterRemovesOnlyItsOwnEntries) {
    ASSERT_EQ(registerServer_(), S_OK);
    ASSERT_EQ(unregisterServer_(), S_OK);
    for (const std::wstring& key :
         {std::wstring(kProgId), std::wstring(kVersionIndependentProgId), kClsidKey, kHandlers + L"\\Plenvik", kTypeLibKey})
        EXPECT_FALSE(keyExists(key)) << std::string(key.begin(), key.end()) << " is still there";
    EXPECT_FALSE(fileExists(typeLibraryFile()));
    for (const wchar_t* parent : {L"CLSID", L"Directory", L"Directory\\Background", L"Directory\\Background\\ShellEx",
                                  L"Directory\\Background\\ShellEx\\ContextMenuHandlers"})
        EXPECT_TRUE(keyExists(parent)) << "a shared parent key was removed";
    EXPECT_EQ(stringValue(kNeighbour), std::optional<std::wstring>(L"{00000000-0000-0000-0000-000000000001}"));

    // Nothing left to remove is no failure; the class is then unknown to COM.
    EXPECT_EQ(unregisterServer_(), S_OK);
    ComPtr<IContextMenu> menu;
    EXPECT_EQ(CoCreateInstance(kClsidOrvelShellExtensions, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu, menu.putVoid()),
              REGDB_E_CLASSNOTREG);
}

TEST_F(ShellExtensionRegistrationTest, UnregisterRemovesTheTypeLibraryKeysEvenWithoutItsFile) {
    ASSERT_EQ(registerServer_(), S_OK);
    const std::wstring interfaceKey = std::wstring(L"Interface\\") + kIidText;
    EXPECT_TRUE(keyExists(interfaceKey)) << "the dual interface is registered with the type library";
    ASSERT_TRUE(DeleteFileW(typeLibraryFile().c_str()));
    EXPECT_EQ(unregisterServer_(), S_OK);
    EXPECT_FALSE(keyExists(kTypeLibKey));
    EXPECT_FALSE(keyExists(interfaceKey));
    EXPECT_FALSE(keyExists(kClsidKey));
}

}  // namespace
}  // namespace plenvik::test
