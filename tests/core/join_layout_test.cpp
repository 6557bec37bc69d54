// The layout rule of wrapped rows and columns: exact sizes and placements, and where sizes leave
// 32 bits.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "bigbitmap/errors.h"
#include "core/join_layout.h"
#include "support/picture_checks.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

TJoinSettings Wrapped(int32_t wrap, TResampleMethod method, int32_t gapSteps,
                      TJoinDirection direction = jdHorizontal, TJoinAlign align = jaStart)
{
    TJoinSettings settings;
    settings.Wrap = wrap;
    settings.Method = method;
    settings.Gap = gapSteps;
    settings.Direction = direction;
    settings.Align = align;
    return settings;
}

TRect Transposed(const TRect& r)
{
    return {r.Top, r.Left, r.Bottom, r.Right};
}

TEST(JoinLayout, TwoByTwoOfEqualPictures)
{
    const std::vector<TSize> sizes(4, TSize{100, 80});
    const TJoinLayout layout = LayOutJoin(sizes, Wrapped(2, rmBicubic, 1));
    EXPECT_EQ(layout.Size, (TSize{210, 170}));
    EXPECT_THAT(layout.Placements,
                ElementsAre(TRect{0, 0, 100, 80}, TRect{110, 0, 210, 80}, TRect{0, 90, 100, 170},
                            TRect{110, 90, 210, 170}));
}

TEST(JoinLayout, AShortLastRowIsWidenedToTheWidestRow)
{
    const std::vector<TSize> sizes{{100, 100}, {200, 100}, {100, 50}};
    const TJoinLayout layout = LayOutJoin(sizes, Wrapped(2, rmBilinear, 0));
    EXPECT_EQ(layout.Size, (TSize{300, 250}));
    EXPECT_THAT(layout.Placements,
                ElementsAre(TRect{0, 0, 100, 100}, TRect{100, 0, 300, 100}, TRect{0, 100, 300, 250}));
}

TEST(JoinLayout, AShortLastColumnIsMadeAsTallAsTheTallestColumn)
{
    const std::vector<TSize> sizes{{100, 100}, {200, 100}, {100, 50}};
    const TJoinLayout layout = LayOutJoin(sizes, Wrapped(2, rmBilinear, 0, jdVertical));
    // Column 0 at the widest width 200: heights 200 and 100; column 1 grows from 100 x 50 to
    // the 300 of column 0.
    EXPECT_EQ(layout.Size, (TSize{800, 300}));
    EXPECT_THAT(layout.Placements,
                ElementsAre(TRect{0, 0, 200, 200}, TRect{0, 200, 200, 300}, TRect{200, 0, 800, 300}));
}

TEST(JoinLayout, AWidenedRowOfMixedHeightsTruncatesAndLetsTheLastPictureTakeTheRest)
{
    const std::vector<TSize> sizes{{100, 100}, {100, 50}, {300, 100}, {50, 70}, {40, 35}};
    const TJoinLayout layout = LayOutJoin(sizes, Wrapped(3, rmBicubic, 1));
    // Row 1 joins to 50 + 80 = 130 at height 70 and grows to 610 of the 620 (two gaps less
    // one): height 70 * 610 div 130 = 328, widths 50 * 610 div 130 = 234 and 610 - 234.
    EXPECT_EQ(layout.Size, (TSize{620, 438}));
    EXPECT_THAT(layout.Placements,
                ElementsAre(TRect{0, 0, 100, 100}, TRect{110, 0, 310, 100}, TRect{320, 0, 620, 100},
                            TRect{0, 110, 234, 438}, TRect{244, 110, 620, 438}));

    // Stacked, every width is a height: the same layout with the axes exchanged.
    std::vector<TSize> turned;
    for (const TSize& s : sizes) turned.push_back({s.Height, s.Width});
    const TJoinLayout columns = LayOutJoin(turned, Wrapped(3, rmBicubic, 1, jdVertical));
    EXPECT_EQ(columns.Size, (TSize{438, 620}));
    for (size_t i = 0; i < sizes.size(); ++i)
        EXPECT_EQ(columns.Placements[i], Transposed(layout.Placements[i])) << i;
}

TEST(JoinLayout, OriginalSizeAlignsPicturesInTheirLineAndLinesAlongTheLongest)
{
    const std::vector<TSize> sizes{{100, 60}, {50, 40}, {80, 30}};
    const TJoinLayout start = LayOutJoin(sizes, Wrapped(2, rmOriginal, 1));
    EXPECT_EQ(start.Size, (TSize{160, 100}));
    EXPECT_THAT(start.Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{110, 0, 160, 40}, TRect{0, 70, 80, 100}));
    const TJoinLayout centre = LayOutJoin(sizes, Wrapped(2, rmOriginal, 1, jdHorizontal, jaCenter));
    EXPECT_EQ(centre.Size, start.Size);
    EXPECT_THAT(centre.Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{110, 10, 160, 50}, TRect{40, 70, 120, 100}));
    const TJoinLayout end = LayOutJoin(sizes, Wrapped(2, rmOriginal, 1, jdHorizontal, jaEnd));
    EXPECT_THAT(end.Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{110, 20, 160, 60}, TRect{80, 70, 160, 100}));
    // Stacked: columns, aligned left, centred or right across, shorter ones down the longest.
    const TJoinLayout stacked =
        LayOutJoin(sizes, Wrapped(2, rmOriginal, 1, jdVertical, jaCenter));
    EXPECT_EQ(stacked.Size, (TSize{190, 110}));
    EXPECT_THAT(stacked.Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{25, 70, 75, 110}, TRect{110, 40, 190, 70}));
}

TEST(JoinLayout, OneLineIsAlignedAcrossOnly)
{
    const std::vector<TSize> sizes{{100, 60}, {50, 41}};
    const TJoinLayout layout = LayOutJoin(sizes, Wrapped(0, rmOriginal, 0, jdHorizontal, jaCenter));
    EXPECT_EQ(layout.Size, (TSize{150, 60}));
    EXPECT_THAT(layout.Placements, ElementsAre(TRect{0, 0, 100, 60}, TRect{100, 9, 150, 50}));
}

TEST(JoinLayout, OneLineKeepsItsThirtyTwoBitArithmeticWhileWrappedLinesUseSixtyFour)
{
    // 40000 x 60000 leaves 32 bits on the way to a width of 60000.
    const std::vector<TSize> sizes{{60000, 60000}, {40000, 40000}};
    ExpectError<EIntOverflow>([&] { LayOutJoin(sizes, Wrapped(0, rmBilinear, 0)); },
                              EIntOverflow().what());
    EXPECT_EQ(LayOutJoin(sizes, Wrapped(2, rmBilinear, 0)).Size, (TSize{120000, 60000}));
}

TEST(JoinLayout, AWrappedSizeBeyondThirtyTwoBitsIsTooBig)
{
    const std::string tooBig = "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits";
    const std::vector<TSize> tall{{1, 1 << 30}, {1, 1 << 30}};
    ExpectError<EBigBitmapError>([&] { LayOutJoin(tall, Wrapped(1, rmOriginal, 0)); }, tooBig);
    // A frame can be what no longer fits.
    TJoinSettings framed = Wrapped(1, rmOriginal, 0);
    framed.FrameOn = true;
    framed.FrameRect = {0, 10, 0, 0};
    const std::vector<TSize> fits{{1, 1 << 30}, {1, (1 << 30) - 1}};
    EXPECT_EQ(LayOutJoin(fits, Wrapped(1, rmOriginal, 0)).Size, (TSize{1, INT32_MAX}));
    ExpectError<EBigBitmapError>([&] { LayOutJoin(fits, framed); }, tooBig);
    // A thin last row widened to a long first row.
    const std::vector<TSize> thin{{1 << 20, 1}, {1 << 20, 1}, {1, 1 << 20}};
    ExpectError<EBigBitmapError>([&] { LayOutJoin(thin, Wrapped(2, rmBicubic, 0)); }, tooBig);
}

TEST(JoinLayout, DrawnPicturesCanMoveExceptInWrappedResampledLines)
{
    const std::vector<TSize> drawn{{80, 30}, {50, 40}, {100, 60}};
    const auto moved = LayOutDrawn(drawn, Wrapped(2, rmOriginal, 1));
    ASSERT_TRUE(moved);
    EXPECT_THAT(moved->Placements,
                ElementsAre(TRect{0, 0, 80, 30}, TRect{90, 0, 140, 40}, TRect{0, 50, 100, 110}));
    // In one line resampled pictures keep their drawn size whatever the order.
    const std::vector<TSize> line{{300, 100}, {100, 100}};
    const auto respaced = LayOutDrawn(line, Wrapped(0, rmBicubic, 2));
    ASSERT_TRUE(respaced);
    EXPECT_THAT(respaced->Placements, ElementsAre(TRect{0, 0, 300, 100}, TRect{320, 0, 420, 100}));
    EXPECT_FALSE(LayOutDrawn(drawn, Wrapped(2, rmBicubic, 1)));
}

}  // namespace
}  // namespace quilmo::test
