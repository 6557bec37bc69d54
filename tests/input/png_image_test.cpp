#include <gtest/gtest.h>

#include <png.h>
#include <algorithm>
#include <zlib.h>

#include <string>

#include "bigbitmap/errors.h"
#include "input/codec_fixtures.h"
#include "input/png_image.h"
#include "support/peak_memory.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

struct TPngCase {
    std::string Name;
    TPngSpec Spec;
    std::vector<TColor> Expected;  // rows top first
};

TColor Grey(uint8_t v) { return RGBColor(v, v, v); }

// A 4 x 1 picture of colour type and depth with the given samples.
TPngSpec Row4(int colourType, int depth, std::vector<uint16_t> samples)
{
    TPngSpec spec;
    spec.Width = 4;
    spec.ColourType = colourType;
    spec.BitDepth = depth;
    spec.Samples = std::move(samples);
    return spec;
}

const std::vector<TRGBColour> kPalette = {{255, 0, 0}, {0, 128, 0}, {10, 20, 30}, {200, 150, 100}};

std::vector<TPngCase> Cases()
{
    std::vector<TPngCase> cases;
    const std::vector<TColor> steps = {Grey(0), Grey(85), Grey(170), Grey(255)};
    cases.push_back({"grey1", Row4(PNG_COLOR_TYPE_GRAY, 1, {0, 1, 1, 0}), {Grey(0), Grey(255), Grey(255), Grey(0)}});
    cases.push_back({"grey2", Row4(PNG_COLOR_TYPE_GRAY, 2, {0, 1, 2, 3}), steps});
    cases.push_back({"grey4", Row4(PNG_COLOR_TYPE_GRAY, 4, {0, 5, 10, 15}), steps});
    cases.push_back({"grey8", Row4(PNG_COLOR_TYPE_GRAY, 8, {0, 17, 200, 255}), {Grey(0), Grey(17), Grey(200), Grey(255)}});
    cases.push_back({"grey16", Row4(PNG_COLOR_TYPE_GRAY, 16, {0, 17 * 257, 200 * 257, 65535}),
                     {Grey(0), Grey(17), Grey(200), Grey(255)}});
    const std::vector<TColor> colours = {RGBColor(255, 0, 0), RGBColor(0, 128, 0), RGBColor(10, 20, 30),
                                         RGBColor(200, 150, 100)};
    cases.push_back({"rgb8", Row4(PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 128, 0, 10, 20, 30, 200, 150, 100}), colours});
    cases.push_back({"rgb16",
                     Row4(PNG_COLOR_TYPE_RGB, 16,
                          {65535, 0, 0, 0, 128 * 257, 0, 10 * 257, 20 * 257, 30 * 257, 200 * 257, 150 * 257, 100 * 257}),
                     colours});
    for (int depth : {2, 4, 8}) {
        TPngSpec spec = Row4(PNG_COLOR_TYPE_PALETTE, depth, {0, 1, 2, 3});
        spec.Palette = kPalette;
        cases.push_back({"palette" + std::to_string(depth), spec, colours});
    }
    TPngSpec oneBit = Row4(PNG_COLOR_TYPE_PALETTE, 1, {1, 0, 0, 1});
    oneBit.Palette = {{10, 20, 30}, {200, 150, 100}};
    cases.push_back({"palette1", oneBit, {colours[3], colours[2], colours[2], colours[3]}});
    // Opaque, transparent, a fifth opaque (100 * 0.2 + 255 * 0.8 = 224), and 50 at 100/255
    // (174.6, rounded to 175).
    const std::vector<TColor> composed = {Grey(100), Grey(255), Grey(224), Grey(175)};
    cases.push_back({"greyAlpha8", Row4(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {100, 255, 100, 0, 100, 51, 50, 100}), composed});
    cases.push_back({"greyAlpha16",
                     Row4(PNG_COLOR_TYPE_GRAY_ALPHA, 16,
                          {100 * 257, 65535, 100 * 257, 0, 100 * 257, 51 * 257, 50 * 257, 100 * 257}),
                     composed});
    cases.push_back({"rgba8",
                     Row4(PNG_COLOR_TYPE_RGB_ALPHA, 8, {100, 100, 100, 255, 1, 2, 3, 0, 100, 100, 100, 51, 50, 50, 50, 100}),
                     composed});
    cases.push_back({"rgba16",
                     Row4(PNG_COLOR_TYPE_RGB_ALPHA, 16,
                          {100 * 257, 100 * 257, 100 * 257, 65535, 1, 2, 3, 0, 100 * 257, 100 * 257, 100 * 257,
                           51 * 257, 50 * 257, 50 * 257, 50 * 257, 100 * 257}),
                     composed});
    TPngSpec paletteAlpha = Row4(PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3});
    paletteAlpha.Palette = {{100, 100, 100}, {1, 2, 3}, {100, 100, 100}, {0, 0, 0}};
    paletteAlpha.PaletteAlpha = {255, 0, 51};  // entries past the list are opaque
    cases.push_back({"paletteTrns", paletteAlpha, {Grey(100), Grey(255), Grey(224), Grey(0)}});
    TPngSpec greyKey = Row4(PNG_COLOR_TYPE_GRAY, 8, {7, 8, 7, 9});
    greyKey.TransparentColour = {7};
    cases.push_back({"greyTrns", greyKey, {Grey(255), Grey(8), Grey(255), Grey(9)}});
    TPngSpec rgbKey = Row4(PNG_COLOR_TYPE_RGB, 16, {257, 514, 771, 257, 514, 772, 0, 0, 0, 257, 514, 771});
    rgbKey.TransparentColour = {257, 514, 771};
    cases.push_back({"rgb16Trns", rgbKey, {Grey(255), RGBColor(1, 2, 3), Grey(0), Grey(255)}});
    return cases;
}

void ExpectPixels(TBigBitmap& bitmap, const std::vector<TColor>& expected, int32_t width)
{
    ASSERT_EQ(bitmap.PixelFormat(), bbpf24bit);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ColourAt(bitmap, int32_t(i % width), int32_t(i / width)), expected[i]) << "pixel " << i;
}

// A width x height RGB picture whose every pixel differs from its neighbours.
TPngSpec PatternPng(uint32_t width, uint32_t height, bool interlaced)
{
    TPngSpec spec;
    spec.Width = width;
    spec.Height = height;
    spec.ColourType = PNG_COLOR_TYPE_RGB;
    spec.Interlaced = interlaced;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            spec.Samples.insert(spec.Samples.end(), {uint16_t(x * 20), uint16_t(y * 20), uint16_t((x + y) % 7 * 30)});
    return spec;
}

}  // namespace

TEST(PngImage, EveryColourTypeAndDepthGivesExactColours)
{
    for (const TPngCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        const TBytes bytes = MakePng(c.Spec);
        auto png = LoadGraphic<TPNGImage>(bytes);
        EXPECT_EQ(png->GetWidth(), 4);
        EXPECT_EQ(png->GetHeight(), 1);
        ExpectPixels(*Decoded(*png), c.Expected, 4);
    }
}

TEST(PngImage, InterlacedPicturesDecodeLikePlainOnes)
{
    // Sizes below 8 leave some of the seven passes empty.
    for (auto [width, height] : {std::pair{11u, 9u}, {1u, 1u}, {3u, 2u}, {2u, 5u}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const TPngSpec spec = PatternPng(width, height, true);
        const TBytes bytes = MakePng(spec);
        auto png = LoadGraphic<TPNGImage>(bytes);
        auto bitmap = Decoded(*png);
        ASSERT_EQ(bitmap->GetWidth(), int32_t(width));
        ASSERT_EQ(bitmap->GetHeight(), int32_t(height));
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                const uint16_t* s = &spec.Samples[(y * width + x) * 3];
                ASSERT_EQ(ColourAt(*bitmap, int32_t(x), int32_t(y)), RGBColor(uint8_t(s[0]), uint8_t(s[1]), uint8_t(s[2])))
                    << x << "," << y;
            }
    }
}

TEST(PngImage, InterlacedAlphaIsComposedOverWhite)
{
    TPngSpec spec;
    spec.Width = 5;
    spec.Height = 3;
    spec.ColourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    spec.Interlaced = true;
    for (int i = 0; i < 15; ++i) spec.Samples.insert(spec.Samples.end(), {100, uint16_t(i % 2 ? 51 : 0)});
    auto bitmap = Decoded(*LoadGraphic<TPNGImage>(MakePng(spec)));
    for (int i = 0; i < 15; ++i) EXPECT_EQ(ColourAt(*bitmap, i % 5, i / 5), Grey(i % 2 ? 224 : 255)) << i;
}

TEST(PngImage, DamagedFilesFailWithAMessageAndLeaveTheGraphicAsItWas)
{
    const TBytes good = MakePng(PatternPng(40, 30, false));
    TBytes badCrc = good;
    badCrc[good.size() - 20] ^= 0x55;  // inside the picture data
    TBytes notPng = good;
    notPng[1] = 'X';
    const std::vector<std::pair<std::string, TBytes>> damaged = {
        {"truncated", TBytes(good.begin(), good.begin() + good.size() / 2)},
        {"header only", TBytes(good.begin(), good.begin() + 33)},
        {"bad crc", badCrc},
        {"not png", notPng},
        {"empty", {}},
    };
    auto png = LoadGraphic<TPNGImage>(MakePng(PatternPng(3, 2, false)));
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
        try {
            png->LoadFromStream(stream);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(std::string(e.what()).rfind("PNG 画像が正しくありません: ", 0), 0u) << e.what();
        }
        EXPECT_EQ(png->GetWidth(), 3);
        EXPECT_EQ(Decoded(*png)->GetHeight(), 2);
    }
}

TEST(PngImage, AbsurdSizeFailsBeforeAnythingIsAllocated)
{
    TBytes bytes = MakePng(PatternPng(1, 1, false));
    // Width and height in the header become 100000 (0x000186A0); the header's CRC follows.
    for (size_t at : {16u, 20u}) {
        bytes[at] = 0x00, bytes[at + 1] = 0x01, bytes[at + 2] = 0x86, bytes[at + 3] = 0xA0;
    }
    const uint32_t crc = uint32_t(crc32(crc32(0, nullptr, 0), bytes.data() + 12, 17));
    for (int i = 0; i < 4; ++i) bytes[29 + i] = uint8_t(crc >> (24 - 8 * i));
    ExpectError<EInvalidGraphic>([&] { LoadGraphic<TPNGImage>(bytes); },
                                 "画像が大きすぎます: 100000 x 100000 ピクセル (上限は 268435456 ピクセル)");
}

TEST(PngImage, AChunkClaimingAGigabyteIsNeitherTakenNorWaitedFor)
{
    // The picture's header, then an iTXt chunk of 57 bytes in all that claims 0x3FFFFFFF bytes.
    const TBytes good = MakePng(PatternPng(1, 1, false));
    TBytes bytes(57, 'x');
    std::copy(good.begin(), good.begin() + 33, bytes.begin());
    const uint8_t chunkHead[] = {0x3F, 0xFF, 0xFF, 0xFF, 'i', 'T', 'X', 't'};
    std::copy(std::begin(chunkHead), std::end(chunkHead), bytes.begin() + 33);
    const long growth = PeakGrowthInKiB([&] {
        try {
            LoadGraphic<TPNGImage>(bytes);
        } catch (const EInvalidGraphic& e) {
            return std::string(e.what()) == "PNG 画像が正しくありません: file is truncated";
        }
        return false;
    });
    EXPECT_GE(growth, 0) << "not refused with the truncation";
    EXPECT_LT(growth, 64 << 10);
}
