#include "platform/screen_area.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

TEST(Pixels, TwipsRoundToWholePixelsEachEdgeOnItsOwnAndFontsRoundDown)
{
    EXPECT_EQ(twipsToPixels(3450, 144), 345);
    EXPECT_EQ(twipsToPixels(1000, 96), 67);  // 66.7
    EXPECT_EQ(twipsToPixels(-1000, 96), -67);
    EXPECT_EQ(twipsToPixels(15, 96), 1);  // a half: away from zero
    EXPECT_DOUBLE_EQ(pixelsToTwips(67, 96), 1005);

    // Each edge and size rounded on its own: the right edge is 2 + 1, not
    // 2.33 rounded, the bottom 1 + 1, not 1.33 rounded.
    EXPECT_EQ(boundsToPixels({25, 10, 10, 10}, 96), (PixelRect{2, 1, 3, 2}));

    EXPECT_EQ(fontPixelHeight(21.75, 96), 29);
    // 43.5 px: rounded down, so two characters still fit their 87-pixel label.
    EXPECT_EQ(fontPixelHeight(21.75, 144), 43);
}

TEST(Pixels, AWindowIsMovedOnlyAsFarAsItTakesToLieOnTheWorkArea)
{
    const PixelRect work{-1920, 0, 0, 1040};  // a monitor left of the primary one, taskbar below
    const PixelRect inside{-1000, 100, -700, 500};
    EXPECT_EQ(keptOnWorkArea(inside, work), inside);
    EXPECT_EQ(keptOnWorkArea({-200, 900, 100, 1300}, work), (PixelRect{-300, 640, 0, 1040}));
    EXPECT_EQ(keptOnWorkArea({-2000, -50, -1700, 350}, work), (PixelRect{-1920, 0, -1620, 400}));
    // Larger than the area: its top-left corner on it.
    EXPECT_EQ(keptOnWorkArea({-500, 200, 1500, 1400}, work), (PixelRect{-1920, 0, 80, 1200}));
}

}  // namespace
}  // namespace kestrow
