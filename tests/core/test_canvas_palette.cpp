#include "platform/Canvas.h"

#include <gtest/gtest.h>

TEST(Palette, ClassicEightAndWhiteFifteen) {
    using kl::Rgb;
    EXPECT_EQ(kl::defaultPaletteColour(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(kl::defaultPaletteColour(1), (Rgb{0, 0, 255}));
    EXPECT_EQ(kl::defaultPaletteColour(2), (Rgb{255, 0, 0}));
    EXPECT_EQ(kl::defaultPaletteColour(7), (Rgb{255, 255, 255}));
    EXPECT_EQ(kl::defaultPaletteColour(15), (Rgb{255, 255, 255}));
    EXPECT_EQ(kl::defaultPaletteColour(99), (Rgb{0, 0, 0}));
}
