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

TJoinLayout LayOut(const std::vector<TSize>& sizes, int32_t wrap, TResampleMethod method,
                   int32_t gapSteps, TJoinDirection direction = jdHorizontal,
                   TJoinAlign align = jaStart)
{
    TJoinSettings settings;
    settings.Wrap = wrap;
    settings.Method = method;
    settings.Gap = gapSteps;
    settings.Direction = direction;
    settings.Align = align;
    return LayOutJoin(sizes, settings);
}

TEST(JoinLayout, TwoByTwoOfEqualPicturesAndAShortLastRowWidened)
{
    const TJoinLayout grid = LayOut(std::vector<TSize>(4, {100, 80}), 2, rmBicubic, 1);
    EXPECT_EQ(grid.Size, (TSize{210, 170}));
    EXPECT_THAT(grid.Placements, ElementsAre(TRect{0, 0, 100, 80}, TRect{110, 0, 210, 80},
                                             TRect{0, 90, 100, 170}, TRect{110, 90, 210, 170}));
    const TJoinLayout rows = LayOut({{100, 100}, {200, 100}, {100, 50}}, 2, rmBilinear, 0);
    EXPECT_EQ(rows.Size, (TSize{300, 250}));
    EXPECT_THAT(rows.Placements, ElementsAre(TRect{0, 0, 100, 100}, TRect{100, 0, 300, 100},
                                             TRect{0, 100, 300, 250}));
}

TEST(JoinLayout, AWidenedRowOfMixedHeightsTruncatesAndLetsTheLastPictureTakeTheRest)
{
    const std::vector<TSize> sizes{{100, 100}, {100, 50}, {300, 100}, {50, 70}, {40, 35}};
    const TJoinLayout layout = LayOut(sizes, 3, rmBicubic, 1);
    // Row 1 joins to 50 + 80 = 130 at height 70 and grows to 610 of the 620 (its gap less):
    // height 70 * 610 div 130 = 328, widths 50 * 610 div 130 = 234 and 610 - 234.
    EXPECT_EQ(layout.Size, (TSize{620, 438}));
    EXPECT_THAT(layout.Placements,
                ElementsAre(TRect{0, 0, 100, 100}, TRect{110, 0, 310, 100}, TRect{320, 0, 620, 100},
                            TRect{0, 110, 234, 438}, TRect{244, 110, 620, 438}));
    // Stacked, every width is a height: the same layout with the axes exchanged.
    std::vector<TSize> turned;
    for (const TSize& s : sizes) turned.push_back({s.Height, s.Width});
    const TJoinLayout columns = LayOut(turned, 3, rmBicubic, 1, jdVertical);
    EXPECT_EQ(columns.Size, (TSize{438, 620}));
    for (size_t i = 0; i < sizes.size(); ++i) {
        const TRect& r = layout.Placements[i];
        EXPECT_EQ(columns.Placements[i], (TRect{r.Top, r.Left, r.Bottom, r.Right})) << i;
    }
}

TEST(JoinLayout, OriginalSizeAlignsPicturesInTheirLineAndLinesAlongTheLongest)
{
    const std::vector<TSize> sizes{{100, 60}, {50, 40}, {80, 30}};
    const TJoinLayout start = LayOut(sizes, 2, rmOriginal, 1);
    EXPECT_EQ(start.Size, (TSize{160, 100}));
    EXPECT_THAT(start.Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{110, 0, 160, 40}, TRect{0, 70, 80, 100}));
    EXPECT_THAT(LayOut(sizes, 2, rmOriginal, 1, jdHorizontal, jaCenter).Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{110, 10, 160, 50}, TRect{40, 70, 120, 100}));
    EXPECT_THAT(LayOut(sizes, 2, rmOriginal, 1, jdHorizontal, jaEnd).Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{110, 20, 160, 60}, TRect{80, 70, 160, 100}));
    const TJoinLayout columns = LayOut(sizes, 2, rmOriginal, 1, jdVertical, jaCenter);
    EXPECT_EQ(columns.Size, (TSize{190, 110}));
    EXPECT_THAT(columns.Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{25, 70, 75, 110}, TRect{110, 40, 190, 70}));
    // One line is aligned across only.
    EXPECT_THAT(LayOut(sizes, 0, rmOriginal, 0, jdHorizontal, jaCenter).Placements,
                ElementsAre(TRect{0, 0, 100, 60}, TRect{100, 10, 150, 50}, TRect{150, 15, 230, 45}));
}

TEST(JoinLayout, OneLineKeepsItsThirtyTwoBitArithmeticAndWrappedLinesRefuseWhatDoesNotFit)
{
    // 40000 x 60000 leaves 32 bits on the way to a width of 60000.
    const std::vector<TSize> squares{{60000, 60000}, {40000, 40000}};
    ExpectError<EIntOverflow>([&] { LayOut(squares, 0, rmBilinear, 0); }, "Arithmetic overflow");
    EXPECT_EQ(LayOut(squares, 2, rmBilinear, 0).Size, (TSize{120000, 60000}));

    const std::string tooBig = "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits";
    const std::vector<TSize> tall{{1, 1 << 30}, {1, (1 << 30) - 1}};
    EXPECT_EQ(LayOut(tall, 1, rmOriginal, 0).Size, (TSize{1, INT32_MAX}));
    TJoinSettings framed;
    framed.Wrap = 1;
    framed.FrameOn = true;
    framed.FrameRect = {0, 1, 0, 0};
    ExpectError<EBigBitmapError>([&] { LayOutJoin(tall, framed); }, tooBig);
    // A thin last row widened to a long first row.
    ExpectError<EBigBitmapError>(
        [] { LayOut({{1 << 20, 1}, {1 << 20, 1}, {1, 1 << 20}}, 2, rmBicubic, 0); }, tooBig);
}

}  // namespace
}  // namespace quilmo::test
