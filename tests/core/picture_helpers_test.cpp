// Blank canvases, rectangle offsets and fitting, with their overflow checks.

#include <gtest/gtest.h>

#include "bigbitmap/bitmap.h"
#include "core/checked_math.h"
#include "core/picture_helpers.h"
#include "support/picture_checks.h"

namespace quilmo::test {
namespace {

TEST(FitSizeTest, WideAndTallPictures)
{
    EXPECT_EQ(FitSize(800, 350, 1000, 300), (TSize{800, 240}));
    EXPECT_EQ(FitSize(800, 350, 300, 1000), (TSize{103, 350}));
    EXPECT_EQ(FitSize(800, 350, 400, 200), (TSize{700, 350}));
}

TEST(FitSizeTest, OverflowAndEmptySizesRaise)
{
    EXPECT_THROW(FitSize(20000000, 100, 10, 10), EIntOverflow);
    EXPECT_THROW(FitSize(800, 350, 20000000, 10), EIntOverflow);
    EXPECT_THROW(FitSize(800, 0, 10, 10), EDivByZero);
}

TEST(OffsetRectByTest, AddsLeftAndTopAndRaisesOnOverflow)
{
    EXPECT_EQ(OffsetRectBy({1, 2, 3, 4}, {10, 20, 99, 99}), (TRect{11, 22, 13, 24}));
    EXPECT_THROW(OffsetRectBy({0, 0, INT32_MAX, 1}, {1, 0, 0, 0}), EIntOverflow);
}

TEST(SetupBigBitmapTest, FramedSizeAndColour)
{
    TBigBitmap bitmap;
    SetupBigBitmapFramed(bitmap, 1000, 300, {10, 20, 30, 40}, RGBColor(1, 2, 3));
    EXPECT_EQ(bitmap.GetWidth(), 1040);
    EXPECT_EQ(bitmap.GetHeight(), 360);
    EXPECT_EQ(bitmap.PixelFormat(), bbpf24bit);
    EXPECT_EQ(ColourAt(bitmap, 0, 0), RGBColor(1, 2, 3));
    EXPECT_EQ(ColourAt(bitmap, 1039, 359), RGBColor(1, 2, 3));
    EXPECT_THROW(SetupBigBitmapFramed(bitmap, INT32_MAX, 1, {1, 0, 0, 0}, clWhite), EIntOverflow);
    EXPECT_EQ(bitmap.GetWidth(), 1040);
}

TEST(SetupBitmapTest, ReplacesAnyPictureWithASolidOne)
{
    TBitmap bitmap;
    bitmap.Allocate(5, 5, pf8bit);
    SetupBitmap(bitmap, 3, 2, RGBColor(9, 8, 7));
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.GetWidth(), 3);
    EXPECT_EQ(ColourAt(bitmap, 2, 1), RGBColor(9, 8, 7));
    SetupBitmapWhite(bitmap, 4, 4);
    EXPECT_EQ(ColourAt(bitmap, 0, 0), clWhite);
    EXPECT_EQ(ColourAt(bitmap, 3, 3), clWhite);
}

}  // namespace
}  // namespace quilmo::test
