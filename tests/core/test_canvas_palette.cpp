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

TEST(Palette, HaloSetsEveryMarkerColourOff) {
    // The reference markers: magenta ("2 D") and the black page text on white, the light yellow
    // of the screen, the light grey of the paper and the white "Blue" page text on dark blue-grey.
    EXPECT_EQ(kl::haloColour(kl::Magenta), kl::White);
    EXPECT_EQ(kl::haloColour(kl::Black), kl::White);
    EXPECT_EQ(kl::haloColour(11), 8);
    EXPECT_EQ(kl::haloColour(13), 8);
    EXPECT_EQ(kl::haloColour(kl::White), 8);
    // The halo of a halo is the colour's own side again.
    EXPECT_EQ(kl::haloColour(8), kl::White);
}
