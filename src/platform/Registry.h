// The registry under HKEY_CURRENT_USER: keys are opened, never created.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plenvik {

inline constexpr std::uint32_t kRegSz = 1, kRegBinary = 3, kRegDword = 4;

struct RegistryValue {
    long error = 0;  // the system's error code; 0 = read
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;  // REG_SZ as UTF-8 without its terminating NUL characters
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // Empty name = the key's default value.
    virtual RegistryValue query(const std::string& name) = 0;
    // REG_SZ: data is UTF-8 text; REG_DWORD: 4 bytes little-endian. Returns the system's error code.
    virtual long set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) = 0;
    // Closes the key before its owner goes; the system's error code. Later calls fail.
    virtual long close() { return 0; }
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key below HKEY_CURRENT_USER (read access, or read and set-value access);
    // nullptr and the error code when it does not exist. Never creates a key.
    virtual std::unique_ptr<RegistryKey> openCurrentUser(const std::string& subKey, bool writable, long* error) = 0;
    // The system's message text for an error code, without its final line break; empty when it has none.
    virtual std::string errorText(long code) = 0;
};

}  // namespace plenvik
