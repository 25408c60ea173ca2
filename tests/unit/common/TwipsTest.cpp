#include "common/Twips.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

TEST(TwipsTest, ConvertsExactlyAtEveryScaling) {
    const struct {
        long twips;
        int dpi;
        int pixels;
    } cases[] = {
        {8160, 96, 544},                       // 100 %: 15 twips a pixel
        {8160, 120, 680},                      // 125 %: 12
        {8160, 144, 816},                      // 150 %: 10
        {8160, 168, 952},                      // 175 %: 8.57, where a whole factor of 8 gave 1020
        {3000, 168, 350},   {1300, 168, 152},  // 151.67 rounds up
        {375, 144, 38},                        // 37.5: halves away from zero
        {-1200, 168, -140}, {0, 192, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
        EXPECT_NEAR(pixelsToTwips(c.pixels, c.dpi), c.twips, 1440 / (2 * c.dpi) + 1) << "back at " << c.dpi;
    }
}

}  // namespace
}  // namespace plenvik
