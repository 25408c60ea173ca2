#include "platform/win32/Win32Registry.h"

#include <cstring>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

class Win32Key : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}

    RegistryValue query(const std::string& name) override {
        RegistryValue value;
        if (!key_) return {ERROR_INVALID_HANDLE, 0, {}};
        const std::wstring wideName = widen(name);
        std::vector<BYTE> buffer;
        for (;;) {
            DWORD type = 0, size = 0;
            LONG rc = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
            if (rc != ERROR_SUCCESS) return {rc, 0, {}};
            buffer.assign(size, 0);
            rc = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, buffer.data(), &size);
            if (rc == ERROR_MORE_DATA) continue;  // the value grew between the two calls
            if (rc != ERROR_SUCCESS) return {rc, 0, {}};
            buffer.resize(size);
            value.type = type;
            break;
        }
        if (value.type == REG_SZ) {
            std::wstring text(buffer.size() / sizeof(wchar_t), L'\0');
            if (!text.empty()) std::memcpy(text.data(), buffer.data(), text.size() * sizeof(wchar_t));
            // Drop the terminating NULs; a value stored without one keeps its last character.
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            const std::string utf8 = narrow(text);
            value.data.assign(utf8.begin(), utf8.end());
        } else {
            value.data.assign(buffer.begin(), buffer.end());
        }
        return value;
    }

    long set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override {
        if (!key_) return ERROR_INVALID_HANDLE;
        const std::wstring wideName = widen(name);
        if (type == REG_SZ) {
            const std::wstring text = widen(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
            return RegSetValueExW(key_.get(), wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        }
        return RegSetValueExW(key_.get(), wideName.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    }

    long close() override {
        if (!key_) return ERROR_INVALID_HANDLE;
        return RegCloseKey(key_.release());
    }

private:
    UniqueKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::openCurrentUser(const std::string& subKey, bool writable, long* error) {
    HKEY key = nullptr;
    // Reading and setting values is all the program does: it asks for no more rights than that.
    const REGSAM access = writable ? (KEY_READ | KEY_SET_VALUE) : KEY_READ;
    const LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, widen(subKey).c_str(), 0, access, &key);
    if (error) *error = rc;
    if (rc != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(key);
}

std::string Win32Registry::errorText(long code) { return systemErrorText(static_cast<unsigned long>(code)); }

}  // namespace plenvik::win32
