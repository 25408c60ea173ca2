// The registry of the simulated platform: HKEY_CURRENT_USER in memory. Key and value names compare
// without regard to case, as in Windows. Keys exist only where a test made them with createKey.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace plenvik {

class SimRegistry : public Registry {
public:
    struct StoredValue {
        std::string name;  // as first written
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;  // REG_SZ as UTF-8; may hold the NUL characters a writer stored
    };
    struct Key {
        std::map<std::string, StoredValue> values;  // by folded name
        bool deleted = false;
    };

    // Sim only: makes a key and every missing key above it.
    void createKey(const std::string& subKey);
    // Sim only: removes a key and the keys below it; open handles to it fail afterwards.
    bool deleteKey(const std::string& subKey);
    bool keyExists(const std::string& subKey) const;
    // Sim only: stores a value of any type as it is (for REG_SZ: the text with whatever NULs it holds).
    void setRawValue(const std::string& subKey, const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);
    std::optional<StoredValue> rawValue(const std::string& subKey, const std::string& name) const;
    // Sim only: one line per key ("path") and per value ("path|name=type:bytes in hex"), sorted, for
    // tests that compare the whole registry before and after a run.
    std::vector<std::string> snapshot() const;

    std::unique_ptr<RegistryKey> openCurrentUser(const std::string& subKey, bool writable, long* error) override;
    // The texts a German Windows gives for the codes the program meets.
    std::string errorText(long code) override;

private:
    std::shared_ptr<Key> find(const std::string& subKey) const;

    std::map<std::string, std::shared_ptr<Key>> keys_;  // by folded path without outer backslashes
};

}  // namespace plenvik
