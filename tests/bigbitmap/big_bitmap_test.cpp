#include <gtest/gtest.h>

#include "bigbitmap/big_bitmap.h"

using namespace quilmo;

TEST(BigBitmap, Smoke)
{
    TBigBitmap b;
    b.SetBitmaps(1000, 6000, bbpf24bit);
    EXPECT_EQ(b.BandCount(), 3);
}
