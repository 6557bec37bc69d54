// The conversion of a plug-in's blocks into a standard bitmap: exact pixels for every depth and
// row order, and no read outside a block whatever the header claims.

#include <gtest/gtest.h>

#include <limits>

#include "bigbitmap/errors.h"
#include "input/susie_dib.h"
#include "plugin_folder.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// Converts the blocks, each in a heap block of exactly its size so that the sanitizers see
// any read past it.
int32_t Convert(const TDibBlocks& blocks, TBitmap& bitmap)
{
    const TBytes info = blocks.Info, bits = blocks.Bits;
    return SusieBlocksToBitmap(info.empty() ? nullptr : info.data(), info.size(),
                               bits.empty() ? nullptr : bits.data(), bits.size(), bitmap);
}

// 2 x 2, 24 bits, bottom row stored first: top row red, green; bottom row blue, white.
TBmpSpec TwoByTwo24()
{
    TBmpSpec spec;
    spec.Width = 2;
    spec.Height = 2;
    spec.Pixels = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,   // bottom: blue, white, padding
                   0, 0, 0xFF, 0, 0xFF, 0, 0, 0};        // top: red, green, padding
    return spec;
}

void ExpectTwoByTwo(const TBitmap& bitmap)
{
    ASSERT_EQ(bitmap.GetWidth(), 2);
    ASSERT_EQ(bitmap.GetHeight(), 2);
    EXPECT_EQ(ColourAt(bitmap, 0, 0), kRed);
    EXPECT_EQ(ColourAt(bitmap, 1, 0), kGreen);
    EXPECT_EQ(ColourAt(bitmap, 0, 1), kBlue);
    EXPECT_EQ(ColourAt(bitmap, 1, 1), kWhite);
}

}  // namespace

TEST(SusieDib, RowsArePlacedByTheSignOfTheHeight)
{
    TBitmap bottomUp;
    ASSERT_EQ(Convert(DibBlocks(TwoByTwo24()), bottomUp), 0);
    EXPECT_EQ(bottomUp.PixelFormat(), pf24bit);
    ExpectTwoByTwo(bottomUp);

    TBmpSpec topDown = TwoByTwo24();
    topDown.Height = -2;
    std::swap_ranges(topDown.Pixels.begin(), topDown.Pixels.begin() + 8, topDown.Pixels.begin() + 8);
    TBitmap flipped;
    ASSERT_EQ(Convert(DibBlocks(topDown), flipped), 0);
    ExpectTwoByTwo(flipped);
}

TEST(SusieDib, IndexedPicturesGetTheirFullPaletteFromTheColourTable)
{
    TBmpSpec spec;
    spec.Width = 3;
    spec.Height = 1;
    spec.Bits = 8;
    spec.ColoursUsed = 2;
    spec.Colours = {{10, 20, 30}, {40, 50, 60}};
    spec.Pixels = {1, 0, 200, 0};
    TBitmap bitmap;
    ASSERT_EQ(Convert(DibBlocks(spec), bitmap), 0);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    ASSERT_EQ(bitmap.Palette().size(), 256u);
    EXPECT_EQ(bitmap.Palette()[0], (TPaletteEntry{10, 20, 30, 0}));
    EXPECT_EQ(bitmap.Palette()[1], (TPaletteEntry{40, 50, 60, 0}));
    EXPECT_EQ(ColourAt(bitmap, 0, 0), 0x3C3228u);
    // Past the colour table the palette is black.
    EXPECT_EQ(ColourAt(bitmap, 2, 0), 0u);

    spec.Bits = 4;
    spec.ColoursUsed = 0;
    spec.Colours.resize(16);
    spec.Colours[15] = {1, 2, 3};
    spec.Pixels = {0xF1, 0, 0, 0};
    TBitmap fourBits;
    ASSERT_EQ(Convert(DibBlocks(spec), fourBits), 0);
    EXPECT_EQ(fourBits.PixelFormat(), pf4bit);
    EXPECT_EQ(fourBits.Palette().size(), 16u);
    EXPECT_EQ(ColourAt(fourBits, 0, 0), 0x030201u);
    EXPECT_EQ(ColourAt(fourBits, 1, 0), 0x3C3228u);

    // Two-colour pictures keep their own colours too.
    spec.Bits = 1;
    spec.Colours = {{255, 0, 0}, {0, 0, 255}};
    spec.Pixels = {0x40, 0, 0, 0};
    TBitmap oneBit;
    ASSERT_EQ(Convert(DibBlocks(spec), oneBit), 0);
    EXPECT_EQ(oneBit.PixelFormat(), pf1bit);
    EXPECT_EQ(ColourAt(oneBit, 0, 0), kRed);
    EXPECT_EQ(ColourAt(oneBit, 1, 0), kBlue);
}

TEST(SusieDib, SixteenAndMaskedThirtyTwoBitPixelsBecomeTwentyFourBits)
{
    TBmpSpec spec;
    spec.Width = 2;
    spec.Height = 1;
    spec.Bits = 16;
    spec.Pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: red, blue
    TBitmap sixteen;
    ASSERT_EQ(Convert(DibBlocks(spec), sixteen), 0);
    EXPECT_EQ(sixteen.PixelFormat(), pf24bit);
    EXPECT_EQ(ColourAt(sixteen, 0, 0), kRed);
    EXPECT_EQ(ColourAt(sixteen, 1, 0), kBlue);

    spec.Bits = 32;
    spec.Compression = 3;
    spec.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    spec.Pixels = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0};
    TBitmap masked;
    ASSERT_EQ(Convert(DibBlocks(spec), masked), 0);
    EXPECT_EQ(masked.PixelFormat(), pf24bit);
    EXPECT_EQ(ColourAt(masked, 0, 0), kRed);
    EXPECT_EQ(ColourAt(masked, 1, 0), kGreen);

    spec.Compression = 0;
    spec.Masks.clear();
    TBitmap plain;
    ASSERT_EQ(Convert(DibBlocks(spec), plain), 0);
    EXPECT_EQ(plain.PixelFormat(), pf32bit);
    EXPECT_EQ(ColourAt(plain, 0, 0), kBlue);
}

TEST(SusieDib, RunLengthCodesAreDecodedLikeThoseOfBmpFiles)
{
    TBmpSpec spec;
    spec.Width = 3;
    spec.Height = 2;
    spec.Bits = 8;
    spec.Compression = 1;
    spec.ColoursUsed = 3;
    spec.Colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    // Bottom row: a run of two 1s, one 2; top row: 0, 1, 2 as an absolute run; end of bitmap.
    spec.Pixels = {2, 1, 1, 2, 0, 0, 0, 3, 0, 1, 2, 0, 0, 1};
    TBitmap eight;
    ASSERT_EQ(Convert(DibBlocks(spec), eight), 0);
    EXPECT_EQ(eight.PixelFormat(), pf8bit);
    EXPECT_EQ(eight.Palette().size(), 256u);
    ExpectPixels(eight, 3, {kRed, kGreen, kBlue, kGreen, kGreen, kBlue});

    // Only as many codes as the header's image size are read.
    TDibBlocks cut = DibBlocks(spec);
    cut.Info[20] = 12;
    TBitmap unchanged;
    EXPECT_EQ(Convert(cut, unchanged), 12);
    EXPECT_TRUE(unchanged.GetEmpty());

    spec.Bits = 4;
    spec.Compression = 2;
    spec.Height = 1;
    spec.Pixels = {3, 0x12, 0, 1};
    TBitmap four;
    ASSERT_EQ(Convert(DibBlocks(spec), four), 0);
    EXPECT_EQ(four.PixelFormat(), pf4bit);
    ExpectPixels(four, 3, {kGreen, kBlue, kGreen});
}

TEST(SusieDib, BlocksThatDoNotHoldWhatTheHeaderSaysAreRefusedAndChangeNothing)
{
    using SpoilSpec = void (*)(TBmpSpec&);
    using SpoilBlocks = void (*)(TDibBlocks&);
    struct Case {
        const char* name;
        int32_t code;
        SpoilSpec spec;
        SpoilBlocks blocks;
    };
    const Case cases[] = {
        {"short_bits", 3, nullptr, [](TDibBlocks& b) { b.Bits.pop_back(); }},
        {"no_bits", 3, nullptr, [](TDibBlocks& b) { b.Bits.clear(); }},
        {"short_info", 3, nullptr, [](TDibBlocks& b) { b.Info.resize(39); }},
        {"header_past_info", 3, nullptr, [](TDibBlocks& b) { b.Info[0] = 41; }},
        {"short_colour_table", 3,
         [](TBmpSpec& s) {
             s.Bits = 8;
             s.Colours.resize(255);
         },
         nullptr},
        {"missing_masks", 3,
         [](TBmpSpec& s) {
             s.Bits = 32;
             s.Compression = 3;
         },
         nullptr},
        {"huge_width", 3, [](TBmpSpec& s) { s.Width = std::numeric_limits<int32_t>::max(); }, nullptr},
        {"huge_height", 3, [](TBmpSpec& s) { s.Height = -std::numeric_limits<int32_t>::max(); }, nullptr},
        {"zero_width", 12, [](TBmpSpec& s) { s.Width = 0; }, nullptr},
        {"negative_width", 12, [](TBmpSpec& s) { s.Width = -2; }, nullptr},
        {"zero_height", 12, [](TBmpSpec& s) { s.Height = 0; }, nullptr},
        {"lowest_height", 12, [](TBmpSpec& s) { s.Height = std::numeric_limits<int32_t>::min(); }, nullptr},
        {"two_bits", 12, [](TBmpSpec& s) { s.Bits = 2; }, nullptr},
        {"core_header", 12, nullptr, [](TDibBlocks& b) { b.Info[0] = 12; }},
        {"rle8_run_past_row", 12,
         [](TBmpSpec& s) {
             s.Bits = 8;
             s.Compression = 1;
             s.Colours.resize(256);
         },
         nullptr},
        {"rle8_top_down", 12,
         [](TBmpSpec& s) {
             s.Bits = 8;
             s.Compression = 1;
             s.Height = -2;
             s.Pixels = {0, 1};
         },
         nullptr},
        {"rle4_of_eight_bits", 12,
         [](TBmpSpec& s) {
             s.Bits = 8;
             s.Compression = 2;
             s.Pixels = {0, 1};
         },
         nullptr},
        {"rle8_image_size_past_block", 3,
         [](TBmpSpec& s) {
             s.Bits = 8;
             s.Compression = 1;
             s.Colours.resize(256);
             s.Pixels = {0, 1};
         },
         [](TDibBlocks& b) { b.Info[20] = 3; }},
        {"zero_masks", 12,
         [](TBmpSpec& s) {
             s.Bits = 16;
             s.Compression = 3;
             s.Masks = {0, 0, 0};
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBmpSpec spec = TwoByTwo24();
        if (c.spec) c.spec(spec);
        TDibBlocks blocks = DibBlocks(spec);
        if (c.blocks) c.blocks(blocks);
        TBitmap bitmap;
        bitmap.Allocate(3, 5, pf8bit);
        EXPECT_EQ(Convert(blocks, bitmap), c.code);
        EXPECT_EQ(bitmap.GetWidth(), 3);
        EXPECT_EQ(bitmap.GetHeight(), 5);
        EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    }
}

TEST(SusieDib, PicturesAboveThePixelLimitAreRefusedBeforeTheirRowsAreTaken)
{
    // RLE8 codes of one byte that claim 20000 x 20000 pixels.
    TBmpSpec huge;
    huge.Width = 20000;
    huge.Height = 20000;
    huge.Bits = 8;
    huge.Compression = 1;
    huge.ColoursUsed = 1;
    huge.Colours = {{0, 0, 0}};
    huge.Pixels = {0, 1};
    TBitmap bitmap;
    bitmap.Allocate(3, 2, pf24bit);
    ExpectError<EInvalidGraphic>([&] { Convert(DibBlocks(huge), bitmap); },
                                 "画像が大きすぎます: 20000 x 20000 ピクセル (上限は 268435456 ピクセル)");
    EXPECT_EQ(bitmap.GetWidth(), 3);
}
