#include <gtest/gtest.h>

#include <climits>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "bigbitmap/errors.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr TColor kRed = RGBColor(255, 0, 0);

void ExpectCanvasAtRest(TBigBitmap& bitmap)
{
    EXPECT_FALSE(bitmap.Canvas().ClipRgn());
    for (int i = 0; i < bitmap.BandCount(); ++i) {
        EXPECT_EQ(bitmap.Band(i).Canvas().WindowOrg(), (TPoint{0, 0}));
        EXPECT_FALSE(bitmap.Band(i).Canvas().ClipRect());
    }
}

}  // namespace

TEST(BigBitmapCanvas, FillRectReachesEveryBandItCovers)
{
    TBigBitmap b;
    b.SetBitmaps(1000, 6000, bbpf24bit);
    b.Canvas().BrushColor = kRed;
    b.Canvas().FillRect({0, 2790, 1000, 2800});
    EXPECT_EQ(ColourAt(b, 0, 2789), clWhite);
    EXPECT_EQ(ColourAt(b, 0, 2790), kRed);
    EXPECT_EQ(ColourAt(b, 999, 2795), kRed);  // last row of band 0
    EXPECT_EQ(ColourAt(b, 500, 2796), kRed);  // first row of band 1
    EXPECT_EQ(ColourAt(b, 0, 2799), kRed);
    EXPECT_EQ(ColourAt(b, 0, 2800), clWhite);
    ExpectCanvasAtRest(b);

    b.Canvas().BrushColor = clBlack;
    b.Canvas().FillRect({0, 0, 1000, 6000});
    for (int32_t y : {0, 2795, 2796, 5591, 5592, 5999}) EXPECT_EQ(ColourAt(b, 999, y), clBlack) << y;
}

TEST(BigBitmapCanvas, FillRectOnIndexedBandsUsesNearestPaletteColour)
{
    TBigBitmap b;
    b.SetBitmaps(9, 2, bbpf4bit);
    b.Canvas().BrushColor = RGBColor(250, 5, 5);
    b.Canvas().FillRect({1, 0, 8, 1});
    EXPECT_EQ(ColourAt(b, 0, 0), clWhite);
    EXPECT_EQ(ColourAt(b, 1, 0), kRed);
    EXPECT_EQ(ColourAt(b, 7, 0), kRed);
    EXPECT_EQ(ColourAt(b, 8, 0), clWhite);
}

TEST(BigBitmapCanvas, CopyRectScalesTheSourceRectangleOntoDest)
{
    TBigBitmap source;
    FillPattern(source, 200, 100);
    TBigBitmap target;
    target.SetBitmaps(300, 200, bbpf24bit);

    target.Canvas().CopyRect({10, 10, 110, 60}, source, {0, 0, 200, 100});
    EXPECT_EQ(ColourAt(target, 10, 10), Pattern(0, 0));
    EXPECT_EQ(ColourAt(target, 11, 11), Pattern(2, 2));
    EXPECT_EQ(ColourAt(target, 109, 59), Pattern(198, 98));
    EXPECT_EQ(ColourAt(target, 110, 30), clWhite);
    EXPECT_EQ(ColourAt(target, 50, 60), clWhite);
    EXPECT_EQ(ColourAt(target, 9, 10), clWhite);
    ExpectCanvasAtRest(target);
    EXPECT_FALSE(source.FCopying);

    // Only the right half, stretched over the whole of dest; nothing outside dest is touched.
    target.Canvas().BrushColor = clBlack;
    target.Canvas().FillRect({0, 0, 300, 200});
    target.Canvas().CopyRect({10, 10, 110, 110}, source, {100, 0, 200, 100});
    EXPECT_EQ(ColourAt(target, 10, 10), Pattern(100, 0));
    EXPECT_EQ(ColourAt(target, 109, 109), Pattern(199, 99));
    EXPECT_EQ(ColourAt(target, 9, 50), clBlack);
    EXPECT_EQ(ColourAt(target, 110, 50), clBlack);
    EXPECT_EQ(ColourAt(target, 50, 110), clBlack);
}

TEST(BigBitmapCanvas, CopyRectWithEmptySourceSideTakesItAsOnePixel)
{
    TBigBitmap source;
    FillPattern(source, 20, 10);
    TBigBitmap target;
    target.SetBitmaps(50, 50, bbpf24bit);
    target.Canvas().CopyRect({0, 0, 10, 10}, source, {3, 2, 3, 2});
    EXPECT_EQ(ColourAt(target, 0, 0), Pattern(3, 2));
    EXPECT_EQ(ColourAt(target, 9, 9), Pattern(3, 2));
    EXPECT_EQ(ColourAt(target, 10, 0), clWhite);
}

TEST(BigBitmapCanvas, MirroredDestCoversTheColumnsOfItsNormalForm)
{
    TBigBitmap source;
    FillPattern(source, 10, 1);
    TBigBitmap target;
    target.SetBitmaps(30, 1, bbpf24bit);
    target.Canvas().BrushColor = clBlack;
    target.Canvas().FillRect({0, 0, 30, 1});
    // Right < Left: columns 11..20 get the picture back to front.
    target.Canvas().CopyRect({20, 0, 10, 1}, source, {0, 0, 10, 1});
    EXPECT_EQ(ColourAt(target, 10, 0), clBlack);
    EXPECT_EQ(ColourAt(target, 20, 0), Pattern(0, 0));
    EXPECT_EQ(ColourAt(target, 11, 0), Pattern(9, 0));
    EXPECT_EQ(ColourAt(target, 21, 0), clBlack);
}

TEST(BigBitmapCanvas, CopyRectAcrossBandsOfBothPicturesIsExact)
{
    // The joining path: a many-band picture placed 1:1 at an offset into another.
    TBigBitmap source;
    FillPattern(source, 700, 4100);  // bands of 3994 and 106 rows
    ASSERT_EQ(source.BandCount(), 2);
    TBigBitmap target;
    target.SetBitmaps(1000, 9000, bbpf24bit);
    ASSERT_EQ(target.BandCount(), 4);
    target.Canvas().CopyRect({37, 2700, 737, 6800}, source, {0, 0, 700, 4100});
    for (int32_t y = 0; y < 4100; y += 13)
        for (int32_t x : {0, 1, 350, 698, 699}) ASSERT_EQ(ColourAt(target, x + 37, y + 2700), Pattern(x, y)) << x << "," << y;
    for (int32_t y : {2795, 2796, 5591, 5592}) EXPECT_EQ(ColourAt(target, 500, y), Pattern(463, y - 2700));
    EXPECT_EQ(ColourAt(target, 36, 3000), clWhite);
    EXPECT_EQ(ColourAt(target, 737, 3000), clWhite);
    EXPECT_EQ(ColourAt(target, 100, 2699), clWhite);
    EXPECT_EQ(ColourAt(target, 100, 6800), clWhite);
    ExpectCanvasAtRest(target);
}

TEST(BigBitmapCanvas, BandModeDrawSlicesMeetWithoutGaps)
{
    TBigBitmap b;
    b.SetBitmaps(1000, 6000, bbpf24bit);
    const TColor colours[] = {RGBColor(1, 0, 0), RGBColor(2, 0, 0), RGBColor(3, 0, 0)};
    const int32_t tops[] = {0, 2796, 5592, 6000};
    for (int i = 0; i < 3; ++i) {
        b.Canvas().BrushColor = colours[i];
        b.Canvas().FillRect({0, tops[i], 1000, tops[i + 1]});
    }
    TBitmap target;
    target.Allocate(500, 3000, pf24bit);
    b.Draw(target.Canvas(), {0, 0, 500, 3000});
    EXPECT_EQ(ColourAt(target, 0, 0), colours[0]);
    EXPECT_EQ(ColourAt(target, 499, 1397), colours[0]);
    EXPECT_EQ(ColourAt(target, 0, 1398), colours[1]);
    EXPECT_EQ(ColourAt(target, 0, 2795), colours[1]);
    EXPECT_EQ(ColourAt(target, 0, 2796), colours[2]);
    EXPECT_EQ(ColourAt(target, 0, 2999), colours[2]);
}

TEST(BigBitmapCanvas, DrawOfEmptyOrUnknownModeBitmaps)
{
    TBitmap target;
    target.Allocate(4, 4, pf24bit);
    target.Canvas().FillRect({0, 0, 4, 4});
    TBigBitmap empty;
    empty.Draw(target.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(ColourAt(target, 0, 0), clWhite);

    TBigBitmap odd;
    odd.SetBitmaps(2, 2, bbpf24bit);
    odd.FDrawMode = 1;
    ExpectError<EBigBitmapError>([&] { odd.Draw(target.Canvas(), {0, 0, 4, 4}); }, "TBigBitmap.Draw: Unknown Mode");
}

TEST(BigBitmapCanvas, StretchDrawOfIndexedPictureMapsColours)
{
    TBigBitmap source;
    source.SetBitmaps(2, 1, bbpf8bit);
    TPalette palette(256);
    palette[1] = {10, 20, 30, 0};
    palette[255] = {255, 255, 255, 0};
    source.SetPalette(palette);
    source.GetScanline(0)[0] = 1;
    TBigBitmap target;
    target.SetBitmaps(4, 2, bbpf24bit);
    target.Canvas().StretchDraw({0, 0, 4, 2}, source);
    EXPECT_EQ(ColourAt(target, 0, 0), RGBColor(10, 20, 30));
    EXPECT_EQ(ColourAt(target, 1, 1), RGBColor(10, 20, 30));
    EXPECT_EQ(ColourAt(target, 2, 0), clWhite);
    ExpectCanvasAtRest(target);
}

TEST(BigBitmapCanvas, IndicesPastThePaletteDrawBlack)
{
    TBigBitmap source;
    source.SetBitmaps(1, 1, bbpf8bit);
    source.SetPalette({{10, 20, 30, 0}, {40, 50, 60, 0}});
    source.GetScanline(0)[0] = 7;
    EXPECT_EQ(ColourAt(source, 0, 0), clBlack);

    TBigBitmap direct;
    direct.SetBitmaps(1, 1, bbpf24bit);
    direct.Canvas().StretchDraw({0, 0, 1, 1}, source);
    EXPECT_EQ(ColourAt(direct, 0, 0), clBlack);

    // Black through the target's palette, not whatever its first entry is.
    TBigBitmap indexed;
    indexed.SetBitmaps(1, 1, bbpf8bit);
    indexed.SetPalette({{255, 255, 255, 0}, {0, 0, 0, 0}});
    indexed.Canvas().StretchDraw({0, 0, 1, 1}, source);
    EXPECT_EQ(ColourAt(indexed, 0, 0), clBlack);
}

TEST(BigBitmapCanvas, FarOffRectanglesDoNotWrapAround)
{
    // Moved into the rows of band 1, a top far above the picture stays above it.
    TBigBitmap b;
    b.SetBitmaps(1000, 6000, bbpf24bit);
    b.Canvas().BrushColor = kRed;
    b.Canvas().FillRect({INT32_MIN, INT32_MIN, INT32_MAX, 3000});
    EXPECT_EQ(ColourAt(b, 0, 0), kRed);
    EXPECT_EQ(ColourAt(b, 999, 2999), kRed);
    EXPECT_EQ(ColourAt(b, 0, 3000), clWhite);

    // The lower of two source rows covers the lower half of a dest reaching far above.
    TBigBitmap source;
    FillPattern(source, 1, 2);
    b.Canvas().CopyRect({0, INT32_MIN, 1000, 3000}, source, {0, 0, 1, 2});
    EXPECT_EQ(ColourAt(b, 0, 0), Pattern(0, 1));
    EXPECT_EQ(ColourAt(b, 999, 2999), Pattern(0, 1));
    EXPECT_EQ(ColourAt(b, 0, 3000), clWhite);
    ExpectCanvasAtRest(b);

    // Dest and source both nearly 2^32 wide: pixel p shows source pixel p - 1.
    TBigBitmap row;
    FillPattern(row, 4, 1);
    TBitmap target;
    target.Allocate(4, 1, pf24bit);
    target.Canvas().FillRect({0, 0, 4, 1});
    target.Canvas().CopyRect({INT32_MIN, 0, INT32_MAX, 1}, row.Band(0).Canvas(), {INT32_MIN, 0, INT32_MAX - 1, 1});
    EXPECT_EQ(ColourAt(target, 0, 0), clWhite);
    EXPECT_EQ(ColourAt(target, 2, 0), Pattern(1, 0));
    EXPECT_EQ(ColourAt(target, 3, 0), Pattern(2, 0));
}
