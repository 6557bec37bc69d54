// One pair's result: where the batch join puts the pictures, the size before output, and the
// names results are saved and printed under.

#include <gtest/gtest.h>

#include "batch/pair_join.h"
#include "batch/pair_naming.h"
#include "batch/pair_resize.h"
#include "bigbitmap/bitmap.h"
#include "core/picture_helpers.h"
#include "support/picture_checks.h"

namespace quilmo::test {
namespace {

constexpr TColor kRed = RGBColor(200, 0, 0);
constexpr TColor kGreen = RGBColor(0, 200, 0);
constexpr TColor kMargin = RGBColor(0, 0, 90);

TSize SizeOf(const TBitmap& bitmap)
{
    return {bitmap.GetWidth(), bitmap.GetHeight()};
}

TEST(PairJoin, OriginalSizesSideBySideAreTopAlignedWithMarginBelowTheShorter)
{
    TBitmap left;
    SetupBitmap(left, 50, 100, kRed);
    TBitmap right;
    SetupBitmap(right, 40, 300, kGreen);
    TBitmap output;
    JoinPair(right, left, output, rmOriginal, 10, plHorzPair, kMargin, false);
    EXPECT_EQ(SizeOf(output), (TSize{100, 300}));
    EXPECT_EQ(ColourAt(output, 49, 99), kRed);
    EXPECT_EQ(ColourAt(output, 0, 100), kMargin);
    EXPECT_EQ(ColourAt(output, 55, 0), kMargin);
    EXPECT_EQ(ColourAt(output, 60, 0), kGreen);
    EXPECT_EQ(ColourAt(output, 99, 299), kGreen);
    EXPECT_EQ(SizeOf(right), (TSize{40, 300}));
}

TEST(PairJoin, AResamplerEnlargesTheLowerPictureToTheHigherOnesHeightInProportion)
{
    TBitmap left;
    SetupBitmap(left, 31, 20, kRed);
    TBitmap right;
    SetupBitmap(right, 30, 70, kGreen);
    TBitmap output;
    JoinPair(right, left, output, rmBicubic, 0, plHorzPair, kMargin, true);
    EXPECT_EQ(SizeOf(left), (TSize{108, 70}));  // 31 * 70 / 20, truncated
    EXPECT_EQ(SizeOf(output), (TSize{138, 70}));
    EXPECT_EQ(ColourAt(output, 107, 69), kRed);
    EXPECT_EQ(ColourAt(output, 108, 0), kGreen);
}

TEST(PairJoin, StackedPairsPutList2OnTopAndWidenTheNarrower)
{
    TBitmap left;
    SetupBitmap(left, 40, 30, kRed);
    TBitmap right;
    SetupBitmap(right, 20, 10, kGreen);
    TBitmap output;
    JoinPair(right, left, output, rmBilinear, 5, plVertPair, kMargin, false);
    EXPECT_EQ(SizeOf(output), (TSize{40, 55}));
    EXPECT_EQ(ColourAt(output, 39, 19), kGreen);
    EXPECT_EQ(ColourAt(output, 0, 20), kMargin);
    EXPECT_EQ(ColourAt(output, 39, 25), kRed);

    // Original sizes: left-aligned, margin beside the narrower one.
    SetupBitmap(left, 40, 30, kRed);
    SetupBitmap(right, 20, 10, kGreen);
    JoinPair(right, left, output, rmOriginal, 0, plVertPair, kMargin, false);
    EXPECT_EQ(SizeOf(output), (TSize{40, 40}));
    EXPECT_EQ(ColourAt(output, 20, 0), kMargin);
    EXPECT_EQ(ColourAt(output, 39, 10), kRed);
}

TEST(PairJoin, APictureWithoutPartnerTakesItsHalfAndLeavesTheOtherToTheMargin)
{
    struct TCase {
        TPairLayout Layout;
        bool List1;
        TSize Size;
        TPoint Picture;  // the top left corner of the picture
        TPoint Margin;   // a point of the empty half
    };
    // Pictures of 30 x 20 with a gap of 4.
    const TCase cases[] = {
        {plHorzList1, true, {64, 20}, {0, 0}, {63, 19}},
        {plHorzList2, false, {64, 20}, {34, 0}, {0, 0}},
        {plVertList1, true, {30, 44}, {0, 24}, {0, 0}},
        {plVertList2, false, {30, 44}, {0, 0}, {29, 43}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Layout));
        TBitmap present;
        SetupBitmap(present, 30, 20, kRed);
        TBitmap absent;
        TBitmap output;
        JoinPair(c.List1 ? absent : present, c.List1 ? present : absent, output, rmBicubic, 4,
                 c.Layout, kMargin, false);
        EXPECT_EQ(SizeOf(output), c.Size);
        EXPECT_EQ(ColourAt(output, c.Picture.X, c.Picture.Y), kRed);
        EXPECT_EQ(ColourAt(output, c.Picture.X + 29, c.Picture.Y + 19), kRed);
        EXPECT_EQ(ColourAt(output, c.Margin.X, c.Margin.Y), kMargin);
        EXPECT_EQ(PairLayout(c.Layout >= plVertList2 ? jdVertical : jdHorizontal, c.List1, !c.List1),
                  c.Layout);
    }
    EXPECT_EQ(PairLayout(jdHorizontal, true, true), plHorzPair);
    EXPECT_EQ(PairLayout(jdVertical, true, true), plVertPair);
}

TEST(PairResize, AFixedSideKeepsTheProportionsAndBothFixedTakeTheSizeAsItIs)
{
    TBatchResize resize;
    resize.Width = 640;
    resize.Height = 480;
    resize.KeepWidth = true;
    EXPECT_EQ(ResizeTarget(resize, 1280, 480), (TSize{640, 240}));
    resize.KeepHeight = true;
    EXPECT_EQ(ResizeTarget(resize, 1280, 480), (TSize{640, 480}));
    resize.KeepWidth = false;
    EXPECT_EQ(ResizeTarget(resize, 1000, 960), (TSize{500, 480}));
    resize.KeepHeight = false;
    EXPECT_EQ(ResizeTarget(resize, 1280, 480), (TSize{640, 480}));
    // A side the proportions leave below one pixel gets one.
    resize.Width = 10;
    resize.KeepWidth = true;
    EXPECT_EQ(ResizeTarget(resize, 20000, 10), (TSize{10, 1}));
}

TEST(PairResize, NarrowerResultsAreReducedWiderOnesEnlargedByTheChosenMethod)
{
    TBatchResize resize;
    resize.Width = 20;
    resize.Height = 10;
    TBitmap result;
    SetupBitmap(result, 40, 10, kRed);
    ResizeResult(result, resize, true);
    EXPECT_EQ(SizeOf(result), (TSize{20, 10}));
    EXPECT_EQ(ColourAt(result, 19, 9), kRed);

    resize.Width = 60;
    resize.Height = 30;
    ResizeResult(result, resize, false);
    EXPECT_EQ(SizeOf(result), (TSize{60, 30}));

    // Without an enlarging method nothing is enlarged.
    resize.Method = rmOriginal;
    resize.Width = 90;
    ResizeResult(result, resize, false);
    EXPECT_EQ(SizeOf(result), (TSize{60, 30}));
}

TEST(PairNaming, SequentialNamesHaveAtLeastTwoDigitsAfterTheFolderAsWritten)
{
    TBatchRunSettings settings;
    settings.Format = bfJPG;
    const auto name = [&](int32_t k, const std::string& folder) {
        return PairFileName({k, "/in/l.bmp", "/in/r.bmp"}, settings, folder);
    };
    EXPECT_EQ(name(1, "/out/"), "/out/01.jpg");
    EXPECT_EQ(name(9, "/out/"), "/out/09.jpg");
    EXPECT_EQ(name(10, "/out/"), "/out/10.jpg");
    EXPECT_EQ(name(100, "/out/"), "/out/100.jpg");
    // A folder typed without a trailing separator runs into the name.
    settings.Format = bfBMP;
    EXPECT_EQ(name(1, "/out"), "/out01.bmp");
    settings.NameText = "pic";
    EXPECT_EQ(name(2, "/out/"), "/out/pic02.bmp");
    settings.Format = bfWebP;
    EXPECT_EQ(name(3, "/out/"), "/out/pic03.webp");
    settings.Format = bfPNG;
    EXPECT_EQ(name(4, "/out/"), "/out/pic04.png");
}

TEST(PairNaming, TheSourcesTitleComesFromList2AndLosesEveryCopyOfItsExtension)
{
    EXPECT_EQ(FileTitle("/p/a.jpg"), "a");
    EXPECT_EQ(FileTitle("/p/x.jpg.jpg"), "x");
    EXPECT_EQ(FileTitle("/p/a.jpgb.jpg"), "ab");
    EXPECT_EQ(FileTitle("/p/My.JPG.jpg"), "My.JPG");  // case counts
    EXPECT_EQ(FileTitle("/p.d/v1.5.png"), "v1.5");
    EXPECT_EQ(FileTitle("/p.d/plain"), "plain");

    const TBatchPair pair{3, "/in/left.png", "/in/right.jpg"};
    const TBatchPair unpaired{4, "/in/alone.bmp", ""};
    EXPECT_EQ(PairBaseName(pair, bnSameName, "ignored"), "right");
    EXPECT_EQ(PairBaseName(unpaired, bnSameName, ""), "alone");
    EXPECT_EQ(PairBaseName(pair, bnPrefix, "j_"), "j_right");
    EXPECT_EQ(PairBaseName(pair, bnSuffix, "_j"), "right_j");
}

TEST(PairNaming, PrintJobsAreNumberedLikeSequentialNames)
{
    EXPECT_EQ(PrintJobTitle(1), "Quilmoバッチ印刷 No.01");
    EXPECT_EQ(PrintJobTitle(12), "Quilmoバッチ印刷 No.12");
    EXPECT_EQ(PrintJobTitle(100), "Quilmoバッチ印刷 No.100");
}

}  // namespace
}  // namespace quilmo::test
