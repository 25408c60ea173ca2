#include "system/RegistryAccess.h"

#include "errors/RuntimeError.h"

namespace plenvik {

RegKeyHandle RegistryAccess::open(std::uint32_t root, const std::string& subKey, bool writable, long& error) {
    if (root != kHkeyCurrentUser) {
        error = kRegErrorInvalidHandle;
        return nullptr;
    }
    error = 0;
    RegKeyHandle key = registry_.openCurrentUser(subKey, writable, &error);
    if (!key && error == 0) error = kRegErrorFileNotFound;
    return key;
}

RegKeyHandle RegistryAccess::openKey(std::uint32_t root, const std::string& subKey) {
    long error = 0;
    return open(root, subKey, true, error);
}

bool RegistryAccess::closeKey(RegKeyHandle& key) {
    if (!key) return false;
    const long error = key->close();
    key.reset();
    return error == 0;
}

RegValue RegistryAccess::readValue(std::uint32_t root, const std::string& subKey, const std::string& valueName,
                                   const std::string& computerName, std::string& errorText) {
    errorText.clear();
    if (!computerName.empty()) {
        errorText = registryErrorText(kRegErrorNotSupported, true, true);
        return {};
    }
    long error = 0;
    RegKeyHandle key = open(root, subKey, false, error);
    if (!key) {
        errorText = registryErrorText(error, true, true);
        return {};
    }
    RegValue value;
    const long code = queryValue(key.get(), valueName, value);
    if (code > 0) errorText = registryErrorText(code, true, true);
    closeKey(key);
    return value;
}

long RegistryAccess::queryValue(RegistryKey* key, const std::string& valueName, RegValue& value) {
    value = {};
    if (!key) return kRegErrorInvalidHandle;
    RegistryValue read = key->query(valueName);
    if (read.error != 0) return read.error;
    switch (read.type) {
    case kRegSz: value = std::string(read.data.begin(), read.data.end()); return 0;
    case kRegBinary: value = std::move(read.data); return 0;
    case kRegDword:
        if (read.data.size() != 4) return kRegErrorInvalidData;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(read.data[0]) | static_cast<std::uint32_t>(read.data[1]) << 8 |
                                          static_cast<std::uint32_t>(read.data[2]) << 16 | static_cast<std::uint32_t>(read.data[3]) << 24);
        return 0;
    default: return kRegUnsupportedType;
    }
}

long RegistryAccess::writeValue(RegistryKey* key, const std::string& valueName, std::uint32_t type, const RegValue& value) {
    if (!key) return kRegErrorInvalidHandle;
    // Any other type, or a value that does not fit the type, is refused rather than reported as written.
    if (type == kRegSz) {
        const auto* text = std::get_if<std::string>(&value);
        if (!text) return kRegErrorInvalidParameter;
        return key->set(valueName, kRegSz, std::vector<std::uint8_t>(text->begin(), text->end()));
    }
    if (type == kRegDword) {
        const auto* number = std::get_if<std::int32_t>(&value);
        if (!number) return kRegErrorInvalidParameter;
        const auto bits = static_cast<std::uint32_t>(*number);
        return key->set(valueName, kRegDword,
                        {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
                         static_cast<std::uint8_t>(bits >> 24)});
    }
    return kRegErrorInvalidParameter;
}

std::string RegistryAccess::registryErrorText(long code, bool withTitle, bool withBlankLine) {
    if (code == 0) return {};
    std::string text;
    if (withTitle) text += kAppTitle;
    if (withBlankLine) text += "\r\n\r\n";
    return text + systemErrorText(code);
}

std::string RegistryAccess::systemErrorText(long code) {
    std::string text = registry_.errorText(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

bool RegistryAccess::writeDword(std::uint32_t root, const std::string& subKey, const std::string& valueName, std::int32_t value) {
    RegKeyHandle key = openKey(root, subKey);
    if (!key) return false;
    const long code = writeValue(key.get(), valueName, kRegDword, value);
    closeKey(key);
    return code == 0;
}

bool RegistryAccess::writeString(std::uint32_t root, const std::string& subKey, const std::string& valueName, const std::string& text) {
    RegKeyHandle key = openKey(root, subKey);
    if (!key) return false;
    const long code = writeValue(key.get(), valueName, kRegSz, text);
    closeKey(key);
    return code == 0;
}

}  // namespace plenvik
