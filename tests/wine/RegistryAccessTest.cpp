#include <windows.h>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Registry.h"
#include "support/RegistryContractTests.h"

namespace plenvik::test {
namespace {

// A key of its own below HKCU\Software\PlenvikTest for each test, removed with everything below it.
class Win32RegistryBed {
public:
    Win32RegistryBed() {
        static int counter = 0;
        root_ = "Software\\PlenvikTest\\Run" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        createKey(root_);
    }
    ~Win32RegistryBed() {
        RegDeleteTreeW(HKEY_CURRENT_USER, win32::widen(root_).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, win32::widen(root_).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\PlenvikTest");  // only succeeds once it is empty
    }
    Win32RegistryBed(const Win32RegistryBed&) = delete;
    Win32RegistryBed& operator=(const Win32RegistryBed&) = delete;

    Registry& registry() { return registry_; }
    std::string root() const { return root_; }
    void createKey(const std::string& subKey) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, win32::widen(subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void putRaw(const std::string& subKey, const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
        win32::UniqueKey key;
        HKEY raw = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, win32::widen(subKey).c_str(), 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
        key.reset(raw);
        LONG rc = 0;
        if (type == REG_SZ) {
            const std::wstring text = win32::widen(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
            rc = RegSetValueExW(raw, win32::widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                                static_cast<DWORD>(text.size() * sizeof(wchar_t)));
        } else {
            rc = RegSetValueExW(raw, win32::widen(name).c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
        }
        ASSERT_EQ(rc, ERROR_SUCCESS);
    }

private:
    std::string root_;
    win32::Win32Registry registry_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32RegistryBed);

TEST(Win32RegistryTest, AWrittenStringIsStoredAsTerminatedUtf16) {
    Win32RegistryBed bed;
    RegistryAccess reg(bed.registry());
    ASSERT_TRUE(reg.writeString(kHkeyCurrentUser, bed.root(), "Label", "M\xC3\xBCll"));
    wchar_t buffer[16] = {};
    DWORD size = sizeof(buffer), type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, win32::widen(bed.root()).c_str(), L"Label", RRF_RT_ANY, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 5 * sizeof(wchar_t));  // four characters and the NUL
    EXPECT_STREQ(buffer, L"M\u00FCll");
}

}  // namespace plenvik::test
