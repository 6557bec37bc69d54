#include <gtest/gtest.h>

#include <limits>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/dib_utils.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "support/bmp_builder.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

TBytes RleBmp(uint16_t bits, int32_t width, int32_t height, const TBytes& codes)
{
    TBmpSpec spec;
    spec.Width = width;
    spec.Height = height;
    spec.Bits = bits;
    spec.Compression = bits == 8 ? BI_RLE8 : BI_RLE4;
    spec.Colours.resize(size_t{1} << bits);
    spec.Pixels = codes;
    return MakeBmp(spec);
}

// The decoded rows in stored order.
TBytes Decode(const TBytes& bmp, const std::string& caseName)
{
    SCOPED_TRACE(caseName);
    TReadOnlyMemoryStream stream(bmp.data(), bmp.size());
    TSepDIB dib;
    LoadDIBFromStream(dib, stream);
    NormalizeDIB(dib);
    EXPECT_EQ(dib.Header().biCompression, BI_RGB);
    return dib.Bits;
}

void ExpectDecodeError(const TBytes& bmp, const std::string& message, const std::string& caseName)
{
    SCOPED_TRACE(caseName);
    TBigBitmap bitmap;
    bitmap.SetBitmaps(1, 1, bbpf24bit);
    TReadOnlyMemoryStream stream(bmp.data(), bmp.size());
    ExpectError<EDIBUtilsError>([&] { bitmap.LoadFromStream(stream); }, message);
    EXPECT_EQ(bitmap.GetWidth(), 1);
}

}  // namespace

TEST(Rle8, RunEndOfLineEndOfBitmap)
{
    const TBytes rows = Decode(RleBmp(8, 5, 3, {3, 7, 0, 0, 0, 1}), "rle8-run");
    // First stored row, the bottom row of a bottom-up picture.
    EXPECT_EQ(rows, (TBytes{7, 7, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    TBigBitmap b;
    const TBytes bmp = RleBmp(8, 5, 3, {3, 7, 0, 0, 0, 1});
    TReadOnlyMemoryStream stream(bmp.data(), bmp.size());
    b.LoadFromStream(stream);
    EXPECT_EQ(b.GetScanline(2)[2], 7);
    EXPECT_EQ(b.GetScanline(0)[2], 0);
}

TEST(Rle8, AbsoluteRunsAndDeltas)
{
    // Absolute run of 3 (padded to 4 bytes), delta (1 right, 1 down), run of 2.
    const TBytes rows = Decode(RleBmp(8, 6, 2, {0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 9, 0, 1}), "rle8-delta");
    EXPECT_EQ(rows, (TBytes{1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 0, 0}));
}

TEST(Rle8, CodesLeavingThePictureFail)
{
    ExpectDecodeError(RleBmp(8, 4, 2, {5, 1, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 4", "rle8-bad4");
    ExpectDecodeError(RleBmp(8, 4, 1, {0, 0, 0, 0, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 1", "rle8-bad1");
    ExpectDecodeError(RleBmp(8, 4, 2, {0, 2, 5, 0, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 2", "rle8-bad2");
    ExpectDecodeError(RleBmp(8, 4, 2, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 3",
                      "rle8-bad3");
    // A run in the row after the last one.
    ExpectDecodeError(RleBmp(8, 4, 1, {0, 0, 1, 1, 0, 1}), "Convert8BitRLETo8BitRGB: Bad RLE Data 4", "rle8-below");
    ExpectDecodeError(RleBmp(8, 4, 2, {2, 1, 0, 0}), "Convert8BitRLETo8BitRGB: Unexpected End of RLE Data",
                      "rle8-no-end");
    ExpectDecodeError(RleBmp(8, 8, 2, {0, 6, 1, 2}), "Convert8BitRLETo8BitRGB: Unexpected End of RLE Data",
                      "rle8-cut-absolute");
    TBmpSpec wrongBits;
    wrongBits.Bits = 4;
    wrongBits.Colours.resize(16);
    wrongBits.Compression = BI_RLE8;
    wrongBits.Pixels = {0, 1};
    ExpectDecodeError(MakeBmp(wrongBits), "Convert8BitRLETo8BitRGB: Invalid Bitcount & Compression Combination",
                      "rle8-bits4");
    // Beyond the pixel limit's reach, a few bytes of codes still cannot claim more than 1 GiB.
    SetMaxPicturePixels(std::numeric_limits<int64_t>::max());
    ExpectDecodeError(RleBmp(8, 60000, 30000, {0, 1}), "Convert8BitRLETo8BitRGB: Too Big Bitmap", "rle8-huge");
    SetMaxPicturePixels(kDefaultMaxPicturePixels);
}

TEST(Rle4, DeltaThenRun)
{
    // Delta 2 right, 0 down; run of 2 pixels 1 and 2 on a 6-wide row.
    const TBytes rows = Decode(RleBmp(4, 6, 1, {0, 2, 2, 0, 2, 0x12, 0, 1}), "rle4-delta");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], 0x00);
    EXPECT_EQ(rows[1], 0x12);
    EXPECT_EQ(rows[2], 0x00);
}

TEST(Rle4, OddRunsAndAbsoluteRuns)
{
    // Run of 3 alternating nibbles, then an absolute run of 3 pixels 4, 5, 6 (two bytes).
    const TBytes rows = Decode(RleBmp(4, 7, 1, {3, 0xAB, 0, 3, 0x45, 0x60, 0, 1}), "rle4-absolute");
    EXPECT_EQ(rows[0], 0xAB);
    EXPECT_EQ(rows[1], 0xA4);
    EXPECT_EQ(rows[2], 0x56);
    EXPECT_EQ(rows[3], 0x00);
}

TEST(Rle4, CodesLeavingThePictureFail)
{
    ExpectDecodeError(RleBmp(4, 3, 1, {5, 0x11, 0, 1}), "Convert4BitRLETo4BitRGB: Bad RLE Data 8", "rle4-bad8");
    ExpectDecodeError(RleBmp(4, 3, 1, {0, 0, 0, 0, 0, 1}), "Convert4BitRLETo4BitRGB: Bad RLE Data 5", "rle4-bad5");
    ExpectDecodeError(RleBmp(4, 3, 1, {0, 2, 0, 2, 0, 1}), "Convert4BitRLETo4BitRGB: Bad RLE Data 6", "rle4-bad6");
    ExpectDecodeError(RleBmp(4, 3, 1, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}), "Convert4BitRLETo4BitRGB: Bad RLE Data 7",
                      "rle4-bad7");
    ExpectDecodeError(RleBmp(4, 3, 1, {2, 0x11}), "Convert4BitRLETo4BitRGB: Unexpected End of RLE Data", "rle4-no-end");
    TBmpSpec wrongBits;
    wrongBits.Bits = 8;
    wrongBits.Colours.resize(256);
    wrongBits.Compression = BI_RLE4;
    wrongBits.Pixels = {0, 1};
    ExpectDecodeError(MakeBmp(wrongBits), "Convert4BitRLETo4BitRGB: Invalid Bitcount & Compression Combination",
                      "rle4-bits8");
}
