#include "display/DisplayModeText.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

TEST(DisplayModeTextTest, PlainDecimalNumbersInTheListForm) {
    const struct {
        int width, height, bits, hertz;
        const char* text;
    } cases[] = {
        {1280, 1024, 32, 60, "1280 x 1024, 32 Bit, 60 Hz"},
        {800, 600, 8, 0, "800 x 600, 8 Bit, 0 Hz"},
        {3840, 2160, 16, 144, "3840 x 2160, 16 Bit, 144 Hz"},
        {0, 0, 0, 0, "0 x 0, 0 Bit, 0 Hz"},
    };
    for (const auto& c : cases) EXPECT_EQ(displayModeText(c.width, c.height, c.bits, c.hertz), c.text);
}

TEST(DisplayModeTextTest, ModeRecordGivesTheSameTextAsItsFields) {
    DisplayMode m;
    m.width = 1024;
    m.height = 768;
    m.bitsPerPixel = 24;
    m.frequency = 75;
    m.positionX = -1024;  // position and flags are not part of the text
    m.displayFlags = 2;
    EXPECT_EQ(displayModeText(m), "1024 x 768, 24 Bit, 75 Hz");
}

}  // namespace
}  // namespace plenvik
