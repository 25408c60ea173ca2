#include "system/UserIdentity.h"

#include <gtest/gtest.h>

#include "platform/sim/SimBasics.h"

namespace plenvik {
namespace {

TEST(UserIdentityTest, NamesLoseTrailingBlanksAndAnythingAfterANul) {
    sim::SimSystemInfo system;
    system.computer = std::string("PC01\0\0\0", 7);
    system.user = "admin   ";
    EXPECT_EQ(computerName(system), "PC01");
    EXPECT_EQ(userName(system), "admin");
    system.user = "M\xC3\xBCller & Co";  // kept whole, escaping is the writer's business
    EXPECT_EQ(userName(system), "M\xC3\xBCller & Co");
}

}  // namespace
}  // namespace plenvik
