#include <gtest/gtest.h>
TEST(SimSmokeTest, Runs) { EXPECT_TRUE(true); }
