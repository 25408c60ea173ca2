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
    std::vector<std::uint8_t> data;  // REG_SZ as UTF-8 without terminating NUL
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // Empty name = the key's default value.
    virtual RegistryValue query(const std::string& name) = 0;
    // REG_SZ: data is UTF-8 text; REG_DWORD: 4 bytes little-endian. Returns the system's error code.
    virtual long set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key below HKEY_CURRENT_USER; nullptr and the error code when it does not exist.
    virtual std::unique_ptr<RegistryKey> openCurrentUser(const std::string& subKey, bool writable, long* error) = 0;
    virtual std::string errorText(long code) = 0;
};

}  // namespace plenvik
