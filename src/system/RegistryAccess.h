// RegistryAccess: reads one value of the three types the program uses, writes string and DWORD values into
// existing keys (never creating one) and turns registry error codes into the system's text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/Registry.h"

namespace plenvik {

// The predefined root key the program works below; the registry seam offers no other.
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

// Error codes of the system that this module gives itself.
inline constexpr long kRegErrorFileNotFound = 2, kRegErrorInvalidHandle = 6, kRegErrorInvalidData = 13, kRegErrorNotSupported = 50,
                      kRegErrorInvalidParameter = 87;
// queryValue's answer for a value of a type the program does not read.
inline constexpr long kRegUnsupportedType = -1;

// A value as read: empty when it could not be read, else REG_SZ text (UTF-8), REG_BINARY bytes or a
// REG_DWORD as a signed 32-bit integer.
using RegValue = std::variant<std::monostate, std::string, std::vector<std::uint8_t>, std::int32_t>;

inline bool isEmpty(const RegValue& value) { return std::holds_alternative<std::monostate>(value); }
// The text of a REG_SZ value; the empty text for anything else (an absent value counts as empty text).
inline std::string textOf(const RegValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

// An open key; nullptr stands for the handle 0.
using RegKeyHandle = std::unique_ptr<RegistryKey>;

class RegistryAccess {
public:
    explicit RegistryAccess(Registry& registry) : registry_(registry) {}

    // Opens an existing key for reading and writing; nullptr on failure or for root 0.
    RegKeyHandle openKey(std::uint32_t root, const std::string& subKey);
    // True when the key was closed; false for a null handle or a failure. The handle is null afterwards.
    bool closeKey(RegKeyHandle& key);
    // Empty name = the key's default value; a non-empty computer name asks for a remote registry, which
    // this program does not reach: empty result and an error text.
    RegValue readValue(std::uint32_t root, const std::string& subKey, const std::string& valueName, const std::string& computerName,
                       std::string& errorText);
    // The system's error code of the query (0 = read), kRegUnsupportedType for a type not read.
    long queryValue(RegistryKey* key, const std::string& valueName, RegValue& value);
    // type 1 (REG_SZ) with a text, type 4 (REG_DWORD) with an integer; the system's error code.
    long writeValue(RegistryKey* key, const std::string& valueName, std::uint32_t type, const RegValue& value);
    // Empty for code 0; else optionally the application title and a blank line before the system's text.
    std::string registryErrorText(long code, bool withTitle, bool withBlankLine);
    std::string systemErrorText(long code);
    bool writeDword(std::uint32_t root, const std::string& subKey, const std::string& valueName, std::int32_t value);
    bool writeString(std::uint32_t root, const std::string& subKey, const std::string& valueName, const std::string& text);

private:
    RegKeyHandle open(std::uint32_t root, const std::string& subKey, bool writable, long& error);

    Registry& registry_;
};

}  // namespace plenvik
