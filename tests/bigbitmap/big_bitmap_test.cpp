#include <gtest/gtest.h>

#include <cstring>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "bigbitmap/errors.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

std::vector<int32_t> BandHeights(const TBigBitmap& bitmap)
{
    std::vector<int32_t> heights;
    for (int i = 0; i < bitmap.BandCount(); ++i) heights.push_back(bitmap.Band(i).GetHeight());
    return heights;
}

}  // namespace

TEST(BigBitmap, NewBitmapIsEmptyEightBitWithoutBands)
{
    TBigBitmap b;
    EXPECT_TRUE(b.GetEmpty());
    EXPECT_EQ(b.BandCount(), 0);
    EXPECT_EQ(b.PixelFormat(), bbpf8bit);
    EXPECT_EQ(b.FDrawMode, 0);
    EXPECT_EQ(b.GetPalette(), nullptr);
}

TEST(BigBitmap, SizingBuildsWhiteBandsOnlyWhenBothSidesAreSet)
{
    TBigBitmap b;
    b.SetWidth(100);
    EXPECT_TRUE(b.GetEmpty());
    EXPECT_EQ(b.BandCount(), 0);
    EXPECT_EQ(b.GetWidth(), 100);

    b.SetHeight(50);
    ASSERT_EQ(BandHeights(b), std::vector<int32_t>{50});
    EXPECT_EQ(b.Band(0).PixelFormat(), pf8bit);
    EXPECT_EQ(ColourAt(b, 0, 0), clWhite);
    EXPECT_EQ(ColourAt(b, 99, 49), clWhite);

    // A new format rebuilds the picture: what was painted is gone.
    b.GetScanline(10)[5] = 0;
    EXPECT_NE(ColourAt(b, 5, 10), clWhite);
    b.SetPixelFormat(bbpf24bit);
    EXPECT_EQ(b.Band(0).PixelFormat(), pf24bit);
    EXPECT_EQ(ColourAt(b, 5, 10), clWhite);
}

TEST(BigBitmap, AnyWidthWhoseRowFitsOneBand)
{
    // The widest row of each format fills a band of 8 MiB; one pixel more is refused.
    struct Limit {
        TBBPixelFormat format;
        int32_t widest;
    };
    for (const Limit& limit : {Limit{bbpf1bit, 67108864}, Limit{bbpf4bit, 16777216},
                               Limit{bbpf8bit, 8388608}, Limit{bbpf24bit, 2796202}}) {
        TBigBitmap b;
        EXPECT_NO_THROW(b.SetBitmaps(limit.widest, 1, limit.format));
        ExpectError<EBigBitmapError>([&] { b.SetBitmaps(limit.widest + 1, 1, limit.format); },
                                     "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits");
        EXPECT_EQ(b.GetWidth(), limit.widest);
    }
    // The first platform's strides below 65,280 bytes limit nothing any more.
    for (const int32_t width : {21758, 21759}) {
        TBigBitmap b;
        EXPECT_NO_THROW(b.SetBitmaps(width, 2, bbpf24bit)) << width;
    }
}

TEST(BigBitmap, BandsOfSingleRowsAtTheWidestWidth)
{
    TBigBitmap b;
    b.SetBitmaps(2796202, 3, bbpf24bit);
    ASSERT_EQ(BandHeights(b), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(b.GetScanline(2), b.Band(2).ScanLine(0));
    ExpectError<EBigBitmapError>([&] { b.GetScanline(3); }, "TBigBitmap.GetScanline: Index is out of Range");

    // Drawing crosses the one-row bands as it crosses any others.
    b.Canvas().BrushColor = RGBColor(1, 2, 3);
    b.Canvas().FillRect({2796000, 1, 2796202, 3});
    EXPECT_EQ(ColourAt(b, 2795999, 1), clWhite);
    EXPECT_EQ(ColourAt(b, 2796000, 1), RGBColor(1, 2, 3));
    EXPECT_EQ(ColourAt(b, 2796201, 2), RGBColor(1, 2, 3));
    EXPECT_EQ(ColourAt(b, 2796201, 0), clWhite);

    TBigBitmap small;
    FillPattern(small, 5, 2);
    b.Canvas().CopyRect({10, 1, 15, 3}, small, {0, 0, 5, 2});
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(ColourAt(b, 10 + x, 1 + y), Pattern(x, y)) << x << "," << y;
    EXPECT_EQ(ColourAt(b, 10, 0), clWhite);
    EXPECT_FALSE(b.Canvas().ClipRgn());
}

TEST(BigBitmap, BandLayoutAndRowAccess)
{
    TBigBitmap b;
    b.SetBitmaps(1000, 6000, bbpf24bit);
    ASSERT_EQ(BandHeights(b), (std::vector<int32_t>{2796, 2796, 408}));
    EXPECT_EQ(b.GetScanline(2796), b.Band(1).ScanLine(0));
    EXPECT_EQ(b.GetScanline(2795), b.Band(0).ScanLine(2795));
    EXPECT_EQ(b.GetScanline(5999), b.Band(2).ScanLine(407));
    ExpectError<EBigBitmapError>([&] { b.GetScanline(6000); }, "TBigBitmap.GetScanline: Index is out of Range");
    ExpectError<EBigBitmapError>([&] { b.GetScanline(-1); }, "TBigBitmap.GetScanline: Index is out of Range");

    // A picture that fits one band is one band of exactly its height.
    b.SetBitmaps(1000, 2796, bbpf24bit);
    EXPECT_EQ(BandHeights(b), std::vector<int32_t>{2796});
    b.SetBitmaps(1000, 2797, bbpf24bit);
    EXPECT_EQ(BandHeights(b), (std::vector<int32_t>{2796, 1}));
}

TEST(BigBitmap, FailedSizingKeepsThePicture)
{
    TBigBitmap empty;
    ExpectError<EBigBitmapError>([&] { empty.GetScanline(0); }, "TBigBitmap.GetScanline: No Bitomaps");

    TBigBitmap b;
    b.SetBitmaps(4, 3, bbpf24bit);
    b.GetScanline(1)[0] = 7;
    ExpectError<EBigBitmapError>([&] { b.SetHeight(-1); }, "TBigBitmap.SetBitmaps: Negative Height");
    ExpectError<EBigBitmapError>([&] { b.SetWidth(-1); }, "TBigBitmap.SetBitmaps: Negative Width");
    EXPECT_EQ(b.GetWidth(), 4);
    EXPECT_EQ(b.GetHeight(), 3);
    EXPECT_EQ(b.GetScanline(1)[0], 7);
}

TEST(BigBitmap, FormatMappingsRejectUnknownValues)
{
    EXPECT_EQ(BBPixelFormatToPixelFormat(bbpf4bit), pf4bit);
    EXPECT_EQ(PixelFormatToBBPixelFormat(pf24bit), bbpf24bit);
    const auto bogus = static_cast<TBBPixelFormat>(4);
    ExpectError<EBigBitmapError>([&] { BBPixelFormatToPixelFormat(bogus); },
                                 "BBPixelFormatToPixelFormat: Invalid Pixel Format");
    ExpectError<EBigBitmapError>([&] { PixelFormatToBBPixelFormat(pf16bit); },
                                 "PixelFormatToBBPixelFormat: Invalid Pixel Format");
    ExpectError<EBigBitmapError>([&] { TBigBitmap::GetPixelBits(bogus); },
                                 "TBigBitmap.GetPixelBits: Invalid Pixel Format");
}

TEST(BigBitmap, AssignNothingEmptiesButKeepsFormat)
{
    TBigBitmap b;
    b.SetBitmaps(10, 10, bbpf4bit);
    b.Assign(nullptr);
    EXPECT_TRUE(b.GetEmpty());
    EXPECT_EQ(b.BandCount(), 0);
    EXPECT_EQ(b.PixelFormat(), bbpf4bit);
}

TEST(BigBitmap, AssignGivesAnIndependentCopyWithTheSameBands)
{
    TBigBitmap source;
    source.SetBitmaps(1000, 6000, bbpf24bit);
    source.GetScanline(5999)[0] = 1;
    TBigBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(BandHeights(copy), (std::vector<int32_t>{2796, 2796, 408}));
    EXPECT_EQ(copy.GetScanline(5999)[0], 1);
    copy.GetScanline(5999)[0] = 2;
    copy.GetScanline(0)[0] = 3;
    EXPECT_EQ(source.GetScanline(5999)[0], 1);
    EXPECT_EQ(source.GetScanline(0)[0], 0xFF);
}

TEST(BigBitmap, AssignFromStandardBitmapGoesThroughTwentyFourBits)
{
    TBitmap standard;
    standard.Allocate(3, 2, pf8bit);
    TPalette palette(256);
    palette[5] = {10, 20, 30, 0};
    palette[6] = {200, 100, 50, 0};
    standard.SetPalette(palette);
    std::memset(standard.Bits(), 5, standard.Stride() * 2);
    standard.ScanLine(0)[2] = 6;

    TBigBitmap b;
    b.Assign(&standard);
    EXPECT_EQ(standard.PixelFormat(), pf24bit);
    EXPECT_EQ(b.PixelFormat(), bbpf24bit);
    EXPECT_EQ(ColourAt(b, 0, 1), RGBColor(10, 20, 30));
    EXPECT_EQ(ColourAt(b, 2, 0), RGBColor(200, 100, 50));

    // Too wide for a 24-bit big bitmap: the same error as its BMP form would give.
    TBitmap wide;
    wide.Allocate(2796203, 1, pf8bit);
    ExpectError<EBigBitmapError>([&] { b.Assign(&wide); },
                                 "TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits");
    EXPECT_EQ(b.GetWidth(), 3);
}

TEST(BigBitmap, AssignToStandardBitmapKeepsFormatAndPixels)
{
    TBigBitmap b;
    b.SetBitmaps(5, 4, bbpf8bit);
    TPalette palette(256);
    palette[3] = {1, 2, 3, 0};
    b.SetPalette(palette);
    b.GetScanline(3)[4] = 3;
    TBitmap standard;
    standard.Assign(&b);
    EXPECT_EQ(standard.PixelFormat(), pf8bit);
    EXPECT_EQ(standard.GetWidth(), 5);
    EXPECT_EQ(standard.ScanLine(3)[4], 3);
    EXPECT_EQ(standard.Palette()[3], (TPaletteEntry{1, 2, 3, 0}));
}

TEST(BigBitmap, SetPaletteGivesEveryBandItsOwnCopy)
{
    TBigBitmap b;
    b.SetBitmaps(65000, 300, bbpf8bit);
    ASSERT_GT(b.BandCount(), 1);
    TPalette palette(256, {9, 8, 7, 0});
    b.SetPalette(palette);
    ASSERT_NE(b.GetPalette(), nullptr);
    EXPECT_EQ(b.GetPalette(), &b.Band(0).Palette());
    for (int i = 0; i < b.BandCount(); ++i) EXPECT_EQ(b.Band(i).Palette(), palette);
    EXPECT_NE(&b.Band(0).Palette(), &b.Band(1).Palette());

    TBigBitmap empty;
    empty.SetPalette(palette);
    EXPECT_EQ(empty.GetPalette(), nullptr);
}

TEST(BigBitmap, TakeOverMovesThePictureWithoutCopying)
{
    TBigBitmap source;
    source.SetBitmaps(7, 5, bbpf24bit);
    uint8_t* row = source.GetScanline(2);
    TBigBitmap target;
    target.TakeOver(source);
    EXPECT_EQ(target.GetScanline(2), row);
    EXPECT_EQ(target.GetWidth(), 7);
    EXPECT_TRUE(source.GetEmpty());
    EXPECT_EQ(source.BandCount(), 0);
}

TEST(BigBitmap, LoadFromRowsFillsEveryRowTopFirstAndKeepsOldPictureOnFailure)
{
    TBigBitmap b;
    b.LoadFromRows(3, 600, bbpf24bit, {}, [](int32_t row, uint8_t* line) {
        std::memset(line, row % 256, 12);
    });
    EXPECT_EQ(b.GetHeight(), 600);
    EXPECT_EQ(b.GetScanline(599)[0], 599 % 256);

    const auto failing = [](int32_t row, uint8_t*) {
        if (row == 3) throw std::runtime_error("decoder failed");
    };
    EXPECT_THROW(b.LoadFromRows(2, 5, bbpf24bit, {}, failing), std::runtime_error);
    EXPECT_EQ(b.GetWidth(), 3);
    EXPECT_EQ(b.GetScanline(10)[0], 10);
}

TEST(BigBitmap, ChangesAreReported)
{
    TBigBitmap b;
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    b.SetBitmaps(2, 2, bbpf24bit);
    b.Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(b.Modified());
    EXPECT_TRUE(b.PaletteModified());
}
