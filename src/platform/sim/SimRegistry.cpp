#include "platform/sim/SimRegistry.h"

#include "common/Text.h"

namespace plenvik {
namespace {

constexpr long kErrorFileNotFound = 2, kErrorAccessDenied = 5, kErrorInvalidHandle = 6, kErrorKeyDeleted = 1018;

std::string normalise(const std::string& subKey) {
    std::string path = foldCase(subKey);
    while (!path.empty() && path.front() == '\\') path.erase(path.begin());
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

class SimKey : public RegistryKey {
public:
    SimKey(std::shared_ptr<SimRegistry::Key> key, bool writable) : key_(std::move(key)), writable_(writable) {}

    RegistryValue query(const std::string& name) override {
        RegistryValue value;
        if (!key_) return {kErrorInvalidHandle, 0, {}};
        if (key_->deleted) return {kErrorKeyDeleted, 0, {}};
        const auto it = key_->values.find(foldCase(name));
        if (it == key_->values.end()) return {kErrorFileNotFound, 0, {}};
        value.type = it->second.type;
        value.data = it->second.data;
        // Text is handed out without the NULs that terminate it.
        if (value.type == kRegSz)
            while (!value.data.empty() && value.data.back() == 0) value.data.pop_back();
        return value;
    }
    long set(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override {
        if (!key_) return kErrorInvalidHandle;
        if (!writable_) return kErrorAccessDenied;
        if (key_->deleted) return kErrorKeyDeleted;
        auto& stored = key_->values[foldCase(name)];
        if (stored.name.empty()) stored.name = name;
        stored.type = type;
        stored.data = data;
        return 0;
    }
    long close() override {
        if (!key_) return kErrorInvalidHandle;
        key_.reset();
        return 0;
    }

private:
    std::shared_ptr<SimRegistry::Key> key_;
    bool writable_;
};

}  // namespace

void SimRegistry::createKey(const std::string& subKey) {
    const std::string path = normalise(subKey);
    for (std::size_t cut = 0; cut != std::string::npos;) {
        cut = path.find('\\', cut + 1);
        const std::string part = path.substr(0, cut);
        if (!part.empty() && !keys_.count(part)) keys_[part] = std::make_shared<Key>();
    }
}

bool SimRegistry::deleteKey(const std::string& subKey) {
    const std::string path = normalise(subKey);
    bool any = false;
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == path || it->first.rfind(path + "\\", 0) == 0) {
            it->second->deleted = true;
            it = keys_.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    return any;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::find(const std::string& subKey) const {
    const auto it = keys_.find(normalise(subKey));
    return it == keys_.end() ? nullptr : it->second;
}

bool SimRegistry::keyExists(const std::string& subKey) const { return find(subKey) != nullptr; }

std::vector<std::string> SimRegistry::snapshot() const {
    std::vector<std::string> lines;
    for (const auto& [path, key] : keys_) {
        lines.push_back(path);
        for (const auto& [folded, value] : key->values) {
            std::string line = path + "|" + folded + "=" + std::to_string(value.type) + ":";
            for (const std::uint8_t byte : value.data) {
                constexpr const char* kHex = "0123456789abcdef";
                line += kHex[byte >> 4];
                line += kHex[byte & 0xF];
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

void SimRegistry::setRawValue(const std::string& subKey, const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
    createKey(subKey);
    auto& stored = find(subKey)->values[foldCase(name)];
    stored.name = name;
    stored.type = type;
    stored.data = std::move(data);
}

std::optional<SimRegistry::StoredValue> SimRegistry::rawValue(const std::string& subKey, const std::string& name) const {
    const auto key = find(subKey);
    if (!key) return std::nullopt;
    const auto it = key->values.find(foldCase(name));
    if (it == key->values.end()) return std::nullopt;
    return it->second;
}

std::unique_ptr<RegistryKey> SimRegistry::openCurrentUser(const std::string& subKey, bool writable, long* error) {
    auto key = find(subKey);
    if (!key) {
        if (error) *error = kErrorFileNotFound;
        return nullptr;
    }
    if (error) *error = 0;
    return std::make_unique<SimKey>(std::move(key), writable);
}

std::string SimRegistry::errorText(long code) {
    switch (code) {
    case 2: return "Das System kann die angegebene Datei nicht finden.";
    case 5: return "Zugriff verweigert";
    case 6: return "Das Handle ist ung\xC3\xBCltig.";
    case 13: return "Die Daten sind ung\xC3\xBCltig.";
    case 50: return "Die Anforderung wird nicht unterst\xC3\xBCtzt.";
    case 87: return "Falscher Parameter.";
    case 1018:
        return "Es wurde versucht, einen unzul\xC3\xA4ssigen Vorgang f\xC3\xBCr einen Registrierungsschl\xC3\xBCssel "
               "auszuf\xC3\xBChren, der zum L\xC3\xB6schen markiert wurde.";
    default: return {};
    }
}

}  // namespace plenvik
