#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>

#include <sys/mman.h>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"
#include "bigbitmap/dib_utils.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "support/bmp_builder.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

void Load(TBigBitmap& bitmap, const TBytes& bytes)
{
    TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
    bitmap.LoadFromStream(stream);
}

TBytes Save(TBigBitmap& bitmap)
{
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return stream.TakeBytes();
}

// Loading must fail with exactly that message and leave the picture as it was.
template <typename E>
void ExpectLoadError(const TBytes& bytes, const std::string& message, const std::string& caseName)
{
    SCOPED_TRACE(caseName);
    TBigBitmap bitmap;
    bitmap.SetBitmaps(2, 3, bbpf24bit);
    bitmap.GetScanline(1)[0] = 42;
    ExpectError<E>([&] { Load(bitmap, bytes); }, message);
    EXPECT_EQ(bitmap.GetWidth(), 2);
    EXPECT_EQ(bitmap.GetHeight(), 3);
    EXPECT_EQ(bitmap.GetScanline(1)[0], 42);
}

uint8_t PatternByte(int32_t row, int64_t x) { return static_cast<uint8_t>(row * 31 + x * 7); }

TBmpSpec TwentyFourBit(int32_t width, int32_t height)
{
    TBmpSpec spec;
    spec.Width = width;
    spec.Height = height;
    spec.Bits = 24;
    const int64_t stride = DIBStride(24, width);
    spec.Pixels = MakeRows(stride, std::abs(height), 3 * int64_t{width}, PatternByte);
    return spec;
}

}  // namespace

TEST(BmpCodec, BottomUpAndTopDownLoadToTheSamePictureAndSaveBackAsTheFile)
{
    // 24 bits, 30000 wide: bands of 93 rows, so 120 rows make two bands.
    const int32_t width = 30000, height = 120;
    TBmpSpec bottomUp = TwentyFourBit(width, height);
    TBmpSpec topDown = bottomUp;
    topDown.Height = -height;
    const int64_t stride = DIBStride(24, width);
    for (int32_t k = 0; k < height; ++k)
        std::memcpy(topDown.Pixels.data() + k * stride, bottomUp.Pixels.data() + (height - 1 - k) * stride, stride);

    TBigBitmap a, b;
    const TBytes file = MakeBmp(bottomUp);
    Load(a, file);
    Load(b, MakeBmp(topDown));
    ASSERT_EQ(a.BandCount(), 2);
    ASSERT_EQ(b.BandCount(), 2);
    for (int32_t r = 0; r < height; ++r) ASSERT_EQ(std::memcmp(a.GetScanline(r), b.GetScanline(r), stride), 0) << r;
    // Picture row 0 is the last stored row of a bottom-up file.
    EXPECT_EQ(a.GetScanline(0)[0], PatternByte(height - 1, 0));
    EXPECT_EQ(a.GetScanline(height - 1)[5], PatternByte(0, 5));
    // Both are written back as the bottom-up file, byte for byte.
    EXPECT_TRUE(Save(a) == file);
    EXPECT_TRUE(Save(b) == file);
}

TEST(BmpCodec, SaveWritesBottomUpRowsThatLoadBackIdentically)
{
    TBigBitmap picture;
    FillPattern(picture, 21000, 300);
    const TBytes bytes = Save(picture);
    EXPECT_EQ(bytes.size(), 54 + DIBStride(24, 21000) * 300);
    EXPECT_EQ(ReadLE32(bytes, 10), 54u);
    EXPECT_EQ(ReadLE32(bytes, 22), 300u);  // positive height: bottom-up
    TBigBitmap back;
    Load(back, bytes);
    for (int32_t y : {0, 132, 133, 299})
        for (int32_t x : {0, 20999}) EXPECT_EQ(ColourAt(back, x, y), Pattern(x, y));
}

TEST(BmpCodec, IndexedPicturesKeepTheirPalette)
{
    struct Case {
        uint16_t bits;
        int colours;
    };
    for (const Case c : {Case{1, 2}, Case{4, 16}, Case{8, 256}}) {
        TBmpSpec spec;
        spec.Width = 13;
        spec.Height = 3;
        spec.Bits = c.bits;
        spec.ColoursUsed = static_cast<uint32_t>(c.colours);
        for (int i = 0; i < c.colours; ++i)
            spec.Colours.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 9});
        spec.Pixels = MakeRows(DIBStride(c.bits, 13), 3, DIBStride(c.bits, 13), PatternByte);
        const TBytes bytes = MakeBmp(spec);
        TBigBitmap b;
        Load(b, bytes);
        EXPECT_EQ(TBigBitmap::GetPixelBits(b.PixelFormat()), c.bits);
        ASSERT_EQ(b.GetPalette()->size(), static_cast<size_t>(c.colours));
        EXPECT_EQ((*b.GetPalette())[1], (TPaletteEntry{1, 254, 9, 0}));
        // Saving gives the same bytes back.
        EXPECT_EQ(Save(b), bytes) << c.bits;
    }
}

TEST(BmpCodec, SavingEightBitsWritesTheWholePalette)
{
    TBigBitmap b;
    b.SetBitmaps(5, 4, bbpf8bit);
    const TBytes bytes = Save(b);
    EXPECT_EQ(ReadLE32(bytes, 10), 1078u);
    EXPECT_EQ(ReadLE32(bytes, 2), 1078u + 8 * 4);
    EXPECT_EQ(ReadLE32(bytes, 46), 256u);

    TBigBitmap empty;
    EXPECT_TRUE(Save(empty).empty());
}

TEST(BmpCodec, NewPicturesAreSavedWhiteWithZeroPadding)
{
    struct Case {
        TBBPixelFormat format;
        int32_t width;
        TBytes row;
    };
    const uint8_t W = 0xFF;
    for (const Case& c : {Case{bbpf1bit, 3, {0xE0, 0, 0, 0}}, Case{bbpf4bit, 3, {W, 0xF0, 0, 0}},
                          Case{bbpf8bit, 5, {W, W, W, W, W, 0, 0, 0}},
                          Case{bbpf24bit, 3, {W, W, W, W, W, W, W, W, W, 0, 0, 0}}}) {
        TBigBitmap b;
        b.SetBitmaps(c.width, 2, c.format);
        const TBytes bytes = Save(b);
        EXPECT_EQ(TBytes(bytes.end() - c.row.size(), bytes.end()), c.row) << int{c.format};
        EXPECT_EQ(TBytes(bytes.end() - 2 * c.row.size(), bytes.end() - c.row.size()), c.row) << int{c.format};
    }
    // A standard bitmap grown to a new size alike.
    TBitmap standard;
    standard.SetSize(3, 1);
    TMemoryStream stream;
    standard.SaveToStream(stream);
    const TBytes& bytes = stream.Bytes();
    EXPECT_EQ(TBytes(bytes.end() - 12, bytes.end()), (TBytes{W, W, W, W, W, W, W, W, W, 0, 0, 0}));
}

TEST(BmpCodec, CoreHeaderPictureLoadsWithItsColours)
{
    std::vector<std::array<uint8_t, 3>> colours(256);
    for (int i = 0; i < 256; ++i) colours[i] = {static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i)};
    const TBytes bytes = MakeCoreBmp(3, 2, 8, colours, {1, 2, 3, 0, 200, 201, 202, 0});
    TBigBitmap b;
    Load(b, bytes);
    EXPECT_EQ(b.PixelFormat(), bbpf8bit);
    ASSERT_EQ(b.GetPalette()->size(), 256u);
    EXPECT_EQ(ColourAt(b, 0, 1), RGBColor(1, 0, 254));
    EXPECT_EQ(ColourAt(b, 2, 0), RGBColor(202, 0, 53));

    ExpectLoadError<EDIBUtilsError>(MakeCoreBmp(3, 2, 16, {}, TBytes(16)), "TBigBitmap.LoadFromStream: Invalid BitCount",
                                    "os2-bad-bits");
}

TEST(BmpCodec, BitFieldsBecomeTwentyFourBits)
{
    // 16 bits without masks are 5-5-5.
    TBmpSpec plain16;
    plain16.Width = 2;
    plain16.Bits = 16;
    plain16.Pixels = {0xFF, 0x7F, 0x21, 0x04};
    TBigBitmap b;
    Load(b, MakeBmp(plain16));
    EXPECT_EQ(b.PixelFormat(), bbpf24bit);
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(ColourAt(b, 1, 0), RGBColor(8, 8, 8));

    // 5-6-5 masks after a 40-byte header.
    TBmpSpec rgb565 = plain16;
    rgb565.Compression = BI_BITFIELDS;
    rgb565.Masks = {0xF800, 0x07E0, 0x001F};
    rgb565.Pixels = {0x00, 0xF8, 0xE0, 0x07};
    Load(b, MakeBmp(rgb565));
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(255, 0, 0));
    EXPECT_EQ(ColourAt(b, 1, 0), RGBColor(0, 255, 0));

    // A 124-byte header carries the masks in its bytes 40 to 51: here blue and red swapped.
    TBmpSpec v5;
    v5.Width = 1;
    v5.Bits = 32;
    v5.HeaderSize = 124;
    v5.Compression = BI_BITFIELDS;
    v5.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    v5.Pixels = {10, 20, 30, 0};
    Load(b, MakeBmp(v5));
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(10, 20, 30));

    TBmpSpec noGreen = v5;
    noGreen.HeaderSize = 40;
    noGreen.Masks = {0xFF0000, 0, 0xFF};
    ExpectLoadError<EDIBUtilsError>(MakeBmp(noGreen), "TBigBitmap.LoadFromStream: Invalid Masks", "rgb32-zero-mask");
}

TEST(BmpCodec, AlphaBitFieldsLoadThroughTheirColourMasks)
{
    // 32 bits with red in the lowest byte; the alpha mask follows the colour masks.
    TBmpSpec abgr;
    abgr.Width = 1;
    abgr.Bits = 32;
    abgr.Compression = BI_ALPHABITFIELDS;
    abgr.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    abgr.Pixels = {10, 20, 30, 200};
    TBigBitmap b;
    Load(b, MakeBmp(abgr));
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(10, 20, 30));

    TBmpSpec inHeader = abgr;
    inHeader.HeaderSize = 124;
    Load(b, MakeBmp(inHeader));
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(10, 20, 30));

    TBmpSpec argb1555 = abgr;
    argb1555.Bits = 16;
    argb1555.Masks = {0x7C00, 0x03E0, 0x001F, 0x8000};
    argb1555.Pixels = {0x1F, 0xFC, 0, 0};  // red and blue
    Load(b, MakeBmp(argb1555));
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(255, 0, 255));

    // The clipboard form finds the pixels behind all four masks.
    const TBytes file = MakeBmp(abgr);
    const TBytes block(file.begin() + kFileHeaderSize, file.end());
    b.LoadFromClipboardFormat(CF_DIB, block.data(), block.size());
    EXPECT_EQ(ColourAt(b, 0, 0), RGBColor(10, 20, 30));
}

TEST(BmpCodec, MalformedHeadersFailClearly)
{
    TBytes notBm = MakeBmp(TwentyFourBit(2, 2));
    notBm[0] = 'X';
    ExpectLoadError<EDIBUtilsError>(notBm, "LoadDIBFromStream: File type is invalid", "bad-type");

    TBmpSpec header20 = TwentyFourBit(2, 2);
    header20.HeaderSize = 20;
    ExpectLoadError<EDIBUtilsError>(MakeBmp(header20), "LoadDIBFromStream: Invalid Bitmap Header Size", "header20");

    TBmpSpec huge = TwentyFourBit(2, 2);
    huge.HeaderSize = 2000;
    ExpectLoadError<EDIBUtilsError>(MakeBmp(huge), "LoadDIBFromStream: Invalid Bitmap Header Size", "header2000");

    TBmpSpec bits2 = TwentyFourBit(2, 2);
    bits2.Bits = 2;
    ExpectLoadError<EDIBUtilsError>(MakeBmp(bits2), "LoadDIBFromStream: Invalid BitCout", "bits2");

    for (int32_t width : {0, -5}) {
        TBmpSpec spec = TwentyFourBit(1, 2);
        spec.Width = width;
        ExpectLoadError<EDIBUtilsError>(MakeBmp(spec), "LoadDIBFromStream: Invalid Width", "width" + std::to_string(width));
    }
    TBmpSpec flat = TwentyFourBit(2, 1);
    flat.Height = 0;
    ExpectLoadError<EDIBUtilsError>(MakeBmp(flat), "LoadDIBFromStream: Invalid Height", "height0");

    // JPEG or PNG inside a BMP.
    for (uint32_t compression : {4, 5}) {
        TBmpSpec embedded = TwentyFourBit(2, 2);
        embedded.Compression = compression;
        ExpectLoadError<EDIBUtilsError>(MakeBmp(embedded), "LoadDIBFromStream: Unsupported Compression",
                                        "compression" + std::to_string(compression));
    }

    TBmpSpec wide = TwentyFourBit(1, 1);
    wide.Width = 2796203;
    ExpectLoadError<EBigBitmapError>(MakeBmp(wide), "TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits",
                                     "too-wide");
}

TEST(BmpCodec, ShortFilesFailClearly)
{
    // A stream that ends inside the headers or the colours reports it as any read does.
    const TBytes whole = MakeBmp(TwentyFourBit(4, 3));
    ExpectLoadError<EReadError>(TBytes(whole.begin(), whole.begin() + 10), "Stream read error", "cut-file-header");
    ExpectLoadError<EReadError>(TBytes(whole.begin(), whole.begin() + 30), "Stream read error", "cut-info-header");
    ExpectLoadError<EDIBUtilsError>(TBytes(whole.begin(), whole.end() - 1), "LoadDIBFromStream: Pixel Data is Too Short",
                                    "cut-pixels");

    // A colour table that runs past the end of the file.
    TBmpSpec palette;
    palette.Width = 1;
    palette.Bits = 8;
    palette.ColoursUsed = 200;
    ExpectLoadError<EReadError>(MakeBmp(palette), "Stream read error", "cut-palette");
    const TBytes core = MakeCoreBmp(1, 1, 8, std::vector<std::array<uint8_t, 3>>(100), {});
    ExpectLoadError<EReadError>(core, "Stream read error", "cut-core-palette");

    // A data offset past the end.
    TBmpSpec farAway = TwentyFourBit(1, 1);
    farAway.DataOffset = 1000;
    farAway.Pixels.clear();
    ExpectLoadError<EDIBUtilsError>(MakeBmp(farAway), "LoadDIBFromStream: Pixel Data is Too Short", "far-offset");

    // A header promising millions of rows of a few bytes must not allocate them.
    TBmpSpec tall = TwentyFourBit(1, 1);
    tall.Height = 200000000;
    ExpectLoadError<EDIBUtilsError>(MakeBmp(tall), "LoadDIBFromStream: Pixel Data is Too Short", "tall");
}

TEST(BmpCodec, BitFieldsOnlyForSixteenAndThirtyTwoBits)
{
    // Such as 1-bit OS/2 Huffman pictures, whose compression has the same number.
    for (uint16_t bits : {1, 4, 8, 24}) {
        TBmpSpec spec;
        spec.Bits = bits;
        spec.Compression = 3;
        spec.Masks = {0xFF0000, 0xFF00, 0xFF};
        spec.ColoursUsed = 1;
        spec.Colours = {{0, 0, 0}};
        spec.Pixels = TBytes(4, 0x55);
        ExpectLoadError<EDIBUtilsError>(MakeBmp(spec), "LoadDIBFromStream: Unsupported Compression",
                                        "bitfields" + std::to_string(bits));
    }
}

TEST(BmpCodec, ThePixelLimitHoldsForEveryFormOfBmp)
{
    // 34 bytes of RLE8 that claim 20000 x 20000 pixels: refused from the header.
    TBmpSpec rle;
    rle.Width = 20000;
    rle.Height = 20000;
    rle.Bits = 8;
    rle.Compression = 1;
    rle.ColoursUsed = 1;
    rle.Colours = {{0, 0, 0}};
    rle.Pixels = {0, 1};
    ExpectLoadError<EInvalidGraphic>(MakeBmp(rle),
                                     "画像が大きすぎます: 20000 x 20000 ピクセル (上限は 268435456 ピクセル)",
                                     "rle-huge");

    SetMaxPicturePixels(12);
    TBigBitmap fits;
    Load(fits, MakeBmp(TwentyFourBit(4, -3)));
    EXPECT_EQ(fits.GetHeight(), 3);
    const std::string tooLarge = "画像が大きすぎます: 4 x 4 ピクセル (上限は 12 ピクセル)";
    const TBytes file = MakeBmp(TwentyFourBit(4, -4));
    ExpectLoadError<EInvalidGraphic>(file, tooLarge, "rgb24-4x4-limit");
    // The packed DIB of the clipboard, and the standard bitmap.
    ExpectError<EInvalidGraphic>(
        [&] { fits.LoadFromClipboardFormat(CF_DIB, file.data() + kFileHeaderSize, file.size() - kFileHeaderSize); },
        tooLarge);
    TBitmap standard;
    TReadOnlyMemoryStream stream(file.data(), file.size());
    ExpectError<EInvalidGraphic>([&] { standard.LoadFromStream(stream); }, tooLarge);
    SetMaxPicturePixels(kDefaultMaxPicturePixels);
}

TEST(BmpCodec, SizeLimitForUntrustedInput)
{
    SetDIBSizeLimit(24);  // two rows of four 24-bit pixels
    TBigBitmap b;
    Load(b, MakeBmp(TwentyFourBit(4, 2)));
    EXPECT_EQ(b.GetHeight(), 2);
    ExpectLoadError<EDIBUtilsError>(MakeBmp(TwentyFourBit(4, 3)), "LoadDIBFromStream: Too Big Bitmap", "rgb24-4x3");
    SetDIBSizeLimit(std::numeric_limits<int64_t>::max());
}

TEST(BmpCodec, FileSizeFieldIsNotNeededForPlainRows)
{
    TBmpSpec spec = TwentyFourBit(3, 2);
    spec.FileSize = 0;
    TBigBitmap b;
    Load(b, MakeBmp(spec));
    EXPECT_EQ(b.GetWidth(), 3);
    EXPECT_EQ(b.GetScanline(1)[2], PatternByte(0, 2));
}

TEST(BmpCodec, ClipboardFormRoundTrip)
{
    TBigBitmap picture;
    FillPattern(picture, 3, 2);
    uint16_t format = 0;
    const TBytes block = picture.SaveToClipboardFormat(format);
    EXPECT_EQ(format, CF_DIB);
    ASSERT_EQ(block.size(), 64u);
    EXPECT_EQ(ReadLE32(block, 0), 40u);

    TBigBitmap back;
    back.LoadFromClipboardFormat(CF_DIB, block.data(), block.size());
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(ColourAt(back, x, y), Pattern(x, y));

    TBigBitmap indexed;
    indexed.SetBitmaps(5, 2, bbpf4bit);
    const TBytes block4 = indexed.SaveToClipboardFormat(format);
    EXPECT_EQ(block4.size(), 40u + 16 * 4 + 4 * 2);
    back.LoadFromClipboardFormat(CF_DIB, block4.data(), block4.size());
    EXPECT_EQ(back.PixelFormat(), bbpf4bit);
    EXPECT_EQ(ColourAt(back, 4, 1), clWhite);

    TBigBitmap empty;
    EXPECT_TRUE(empty.SaveToClipboardFormat(format).empty());
}

TEST(BmpCodec, ClipboardBlocksThatAreNoPicture)
{
    TBigBitmap b;
    b.SetBitmaps(1, 1, bbpf24bit);
    const TBytes tiny(8, 0);
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(CF_DIB, tiny.data(), tiny.size()); },
                                 "Invalid Clipbboard data");
    const TBytes block(64, 0);
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(2, block.data(), block.size()); },
                                 "Invalid Clipbboard Data");
    // A 2-bit header is no depth the clipboard form knows.
    TBytes twoBits(64, 0);
    twoBits[0] = 40;
    twoBits[12] = 1;
    twoBits[14] = 2;
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(CF_DIB, twoBits.data(), twoBits.size()); },
                                 "Invalid Clipbboard Data");
    // An info header size in a block too short to hold it.
    TBytes shortInfo(20, 0);
    shortInfo[0] = 40;
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(CF_DIB, shortInfo.data(), shortInfo.size()); },
                                 "Invalid Clipbboard data");
    EXPECT_EQ(b.GetWidth(), 1);
}

TEST(BmpCodec, ClipboardStreamsStayWithinThirtyTwoBitPositions)
{
    // 2^30 colours would put the pixels 4 GiB on: refused, not wrapped around onto the colours.
    TBytes block(40 + 1024 + 4, 0);
    block[0] = 40;
    block[4] = block[8] = block[12] = 1;
    block[14] = 8;
    block[35] = 0x40;
    TBigBitmap b;
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(CF_DIB, block.data(), block.size()); },
                                 "Invalid Clipbboard Data");

    // With its 14-byte file header, a block makes a stream of at most 2^31 - 1 bytes.
    const size_t longest = INT32_MAX - kFileHeaderSize;
    void* huge = mmap(nullptr, longest + 1, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(huge, MAP_FAILED);
    const auto* bytes = static_cast<const uint8_t*>(huge);
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(CF_DIB, bytes, longest + 1); },
                                 "Invalid Clipbboard data");
    // Taken, and then refused for its empty header.
    ExpectError<EInvalidGraphic>([&] { b.LoadFromClipboardFormat(CF_DIB, bytes, longest); },
                                 "Invalid Clipbboard Data");
    munmap(huge, longest + 1);
}
