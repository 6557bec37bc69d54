#include <gtest/gtest.h>

#include "bigbitmap/big_bitmap.h"
#include "output/resize_save.h"
#include "support/picture_checks.h"

namespace quilmo {
namespace {

TEST(ProportionalSide, RoundsToTheNearestWithHalvesToEvenWithinTheBoxesRange)
{
    EXPECT_EQ(ProportionalSide(1000, 300, 200), 667);
    EXPECT_EQ(ProportionalSide(450, 300, 200), 300);
    EXPECT_EQ(ProportionalSide(3, 2, 1), 2);   // 1.5
    EXPECT_EQ(ProportionalSide(5, 2, 1), 2);   // 2.5
    EXPECT_EQ(ProportionalSide(1, 300, 200), 1);  // 0.67
    EXPECT_EQ(ProportionalSide(1, 3000, 2), kMinSaveSide);
    EXPECT_EQ(ProportionalSide(65535, 1, 100000), kMaxSaveSide);  // no 32-bit product
}

class ResizeForSaveTest : public ::testing::Test {
protected:
    void SetUp() override { test::FillPattern(Joined, 40, 30); }

    // The same resampler applied to a copy, as the resize-save window describes it.
    void Expected(TSize target, bool enlarge, TBigBitmap& copy)
    {
        copy.Assign(&Joined);
        if (enlarge)
            BigEnlarge(copy, target.Width, target.Height, rmBicubic, true, 1, {});
        else
            BigReduceBy(copy, target.Width, target.Height, true, 9, {});
    }

    void ExpectSamePixels(TBigBitmap& a, TBigBitmap& b)
    {
        ASSERT_EQ(a.GetWidth(), b.GetWidth());
        ASSERT_EQ(a.GetHeight(), b.GetHeight());
        for (int32_t y = 0; y < a.GetHeight(); ++y)
            for (int32_t x = 0; x < a.GetWidth(); ++x)
                ASSERT_EQ(test::ColourAt(a, x, y), test::ColourAt(b, x, y)) << x << "," << y;
    }

    TBigBitmap Joined;
};

TEST_F(ResizeForSaveTest, AWiderTargetEnlargesWithTheMethod)
{
    TBigBitmap result;
    ResizeForSave(Joined, {60, 50}, rmBicubic, true, {}, result);
    TBigBitmap expected;
    Expected({60, 50}, true, expected);
    ExpectSamePixels(result, expected);
    EXPECT_EQ(Joined.GetWidth(), 40);
}

TEST_F(ResizeForSaveTest, AnEqualOrNarrowerWidthReducesWhateverTheHeight)
{
    for (const TSize target : {TSize{40, 60}, TSize{20, 15}}) {
        std::vector<int32_t> amounts;
        TBigBitmap result;
        ResizeForSave(Joined, target, rmLanczos, true,
                      [&](int16_t, int16_t, int32_t step) {
                          amounts.push_back(step);
                          return 0;
                      },
                      result);
        TBigBitmap expected;
        Expected(target, false, expected);
        ExpectSamePixels(result, expected);
        ASSERT_FALSE(amounts.empty());
        EXPECT_EQ(amounts.front(), 9);
    }
}

TEST_F(ResizeForSaveTest, WithoutAMethodAWiderTargetKeepsThePicturesSize)
{
    TBigBitmap result;
    ResizeForSave(Joined, {80, 60}, std::nullopt, true, {}, result);
    ExpectSamePixels(result, Joined);
}

}  // namespace
}  // namespace quilmo
