#include <gtest/gtest.h>

#include "output/page_fit.h"

namespace quilmo {
namespace {

TEST(FitToPage, FillsTheWidthOrTheHeightAndCentresTheRest)
{
    // Wider than the page: full width, 250 pixels above and below.
    EXPECT_EQ(FitToPage({100, 50, 3100, 2050}, 2000, 1000), (TRect{100, 300, 3100, 1800}));
    // Taller: full height, 1134 pixels wide in the middle.
    EXPECT_EQ(FitToPage({0, 0, 2400, 3400}, 1000, 3000), (TRect{633, 0, 1767, 3400}));
    // The page's own shape fills it, except where the 1/128 steps round down.
    EXPECT_EQ(FitToPage({0, 0, 2000, 1000}, 1000, 500), (TRect{0, 0, 2000, 1000}));
    EXPECT_EQ(FitToPage({0, 0, 3000, 2000}, 3000, 2000), (TRect{0, 4, 3000, 1996}));
}

TEST(FitToPage, VeryWidePicturesKeepTheirProportions)
{
    // 0 steps high: 5 pixels, not nothing.
    EXPECT_EQ(FitToPage({0, 0, 3000, 2000}, 60000, 100), (TRect{0, 997, 3000, 1003}));
    // 2 steps high: 50 pixels, not the 46 of 1/128 steps.
    EXPECT_EQ(FitToPage({0, 0, 3000, 2000}, 60000, 1000), (TRect{0, 975, 3000, 1025}));
    // Eight times as wide (16 steps) still goes by the steps: 375 pixels.
    EXPECT_EQ(FitToPage({0, 0, 3000, 2000}, 8000, 1000), (TRect{0, 812, 3000, 1188}));
}

TEST(FitToPage, VeryTallPicturesDoNotOverflow)
{
    const TRect target = FitToPage({0, 0, 4000, 6000}, 10, 30000000);
    EXPECT_EQ(target.Top, 0);
    EXPECT_EQ(target.Bottom, 6000);
    EXPECT_EQ(target.Left + target.Right, 4000);
    EXPECT_LE(target.Width(), 2);
}

}  // namespace
}  // namespace quilmo
