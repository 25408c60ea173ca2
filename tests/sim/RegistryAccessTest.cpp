#include "platform/sim/SimRegistry.h"
#include "support/RegistryContractTests.h"

namespace plenvik::test {
namespace {

class SimRegistryBed {
public:
    SimRegistryBed() { registry_.createKey(root()); }
    Registry& registry() { return registry_; }
    std::string root() const { return "Software\\PlenvikTest"; }
    void createKey(const std::string& subKey) { registry_.createKey(subKey); }
    void putRaw(const std::string& subKey, const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
        registry_.setRawValue(subKey, name, type, data);
    }

private:
    SimRegistry registry_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Sim, RegistryContract, SimRegistryBed);

TEST(SimRegistryTest, AKeyDeletedWhileOpenRefusesFurtherUse) {
    SimRegistry registry;
    registry.createKey("Software\\A\\B");
    long error = -1;
    auto key = registry.openCurrentUser("software\\a\\b", true, &error);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(registry.deleteKey("Software\\A"));
    EXPECT_FALSE(registry.keyExists("Software\\A\\B"));
    EXPECT_NE(key->set("x", kRegDword, {0, 0, 0, 0}), 0);
    EXPECT_NE(key->query("x").error, 0);
}

TEST(SimRegistryTest, AReadOnlyKeyRefusesWrites) {
    SimRegistry registry;
    registry.createKey("Software\\A");
    auto key = registry.openCurrentUser("Software\\A", false, nullptr);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->set("x", kRegDword, {0, 0, 0, 0}), 5);
    EXPECT_FALSE(registry.rawValue("Software\\A", "x").has_value());
}

}  // namespace plenvik::test
