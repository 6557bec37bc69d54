#include <gtest/gtest.h>

#include <string>

#include "bigbitmap/errors.h"
#include "input/codec_fixtures.h"
#include "input/jpeg_image.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

TColor Grey(uint8_t v) { return RGBColor(v, v, v); }

// width x height of one colour (three samples) or one grey.
TJpegSpec Solid(int width, int height, TJpegColours colours, std::vector<uint8_t> sample)
{
    TJpegSpec spec;
    spec.Width = width;
    spec.Height = height;
    spec.Colours = colours;
    for (int i = 0; i < width * height; ++i) spec.Samples.insert(spec.Samples.end(), sample.begin(), sample.end());
    return spec;
}

// The 2 x 3 grey picture a b / c d / e f.
constexpr uint8_t a = 0, b = 50, c = 100, d = 150, e = 200, f = 250;

TJpegSpec Grey2x3()
{
    TJpegSpec spec;
    spec.Width = 2;
    spec.Height = 3;
    spec.Colours = TJpegColours::Grey;
    spec.Samples = {a, b, c, d, e, f};
    return spec;
}

void ExpectGreys(TBigBitmap& bitmap, int width, int height, const std::vector<uint8_t>& rows)
{
    ASSERT_EQ(bitmap.GetWidth(), width);
    ASSERT_EQ(bitmap.GetHeight(), height);
    for (int i = 0; i < width * height; ++i)
        EXPECT_TRUE(ColoursNear(ColourAt(bitmap, i % width, i / width), Grey(rows[i]), 6)) << "pixel " << i;
}

void ExpectInvalid(const TBytes& bytes, TJPEGImage& jpeg)
{
    TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
    try {
        jpeg.LoadFromStream(stream);
        ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()).rfind("JPEG 画像が正しくありません: ", 0), 0u) << e.what();
    }
}

// 64 x 64 pixels of busy colours, so that every scan has data.
TJpegSpec Busy(bool progressive)
{
    TJpegSpec spec = Solid(64, 64, TJpegColours::Colour, {10, 200, 30});
    for (int i = 0; i < 64 * 64 * 3; ++i) spec.Samples[i] = uint8_t(i * 7);
    spec.Progressive = progressive;
    return spec;
}

// Where the last scan's header (FF DA) starts.
size_t LastScan(const TBytes& bytes)
{
    size_t at = bytes.size() - 2;
    while (!(bytes[at] == 0xFF && bytes[at + 1] == 0xDA)) --at;
    return at;
}

}  // namespace

TEST(JpegImage, ColourGreyAndCmykPicturesComeOutInColour)
{
    struct {
        std::string Name;
        TJpegSpec Spec;
        TColor Expected;
    } cases[] = {
        {"colour", Solid(16, 8, TJpegColours::Colour, {200, 40, 90}), RGBColor(200, 40, 90)},
        {"grey", Solid(16, 8, TJpegColours::Grey, {77}), Grey(77)},
        // Adobe writes inverted inks: a stored 255 is no ink.
        {"cmyk", Solid(16, 8, TJpegColours::Cmyk, {255, 128, 0, 255}), RGBColor(255, 128, 0)},
        {"cmykWithBlack", Solid(16, 8, TJpegColours::Cmyk, {255, 255, 255, 128}), Grey(128)},
        {"ycck", Solid(16, 8, TJpegColours::Ycck, {255, 128, 0, 255}), RGBColor(255, 128, 0)},
    };
    for (auto& [name, spec, expected] : cases) {
        SCOPED_TRACE(name);
        const TBytes bytes = MakeJpeg(spec);
        auto jpeg = LoadGraphic<TJPEGImage>(bytes);
        EXPECT_EQ(jpeg->GetWidth(), 16);
        EXPECT_EQ(jpeg->GetHeight(), 8);
        auto bitmap = Decoded(*jpeg);
        ASSERT_EQ(bitmap->PixelFormat(), bbpf24bit);
        for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {7, 7}, {15, 7}})
            EXPECT_TRUE(ColoursNear(ColourAt(*bitmap, x, y), expected, 3)) << x << "," << y;
    }
}

TEST(JpegImage, ExifOrientationTurnsThePictureUpright)
{
    struct {
        uint16_t Orientation;
        int Width, Height;
        std::vector<uint8_t> Rows;
    } cases[] = {
        {1, 2, 3, {a, b, c, d, e, f}}, {2, 2, 3, {b, a, d, c, f, e}}, {3, 2, 3, {f, e, d, c, b, a}},
        {4, 2, 3, {e, f, c, d, a, b}}, {5, 3, 2, {a, c, e, b, d, f}}, {6, 3, 2, {e, c, a, f, d, b}},
        {7, 3, 2, {f, d, b, e, c, a}}, {8, 3, 2, {b, d, f, a, c, e}},
        // Values outside 1..8 are read as upright.
        {9, 2, 3, {a, b, c, d, e, f}},
    };
    for (const auto& expected : cases) {
        for (bool bigEndian : {false, true}) {
            SCOPED_TRACE("orientation " + std::to_string(expected.Orientation) + (bigEndian ? " MM" : " II"));
            TJpegSpec spec = Grey2x3();
            spec.App1 = ExifWithOrientation(expected.Orientation, bigEndian);
            const TBytes bytes = MakeJpeg(spec);
            auto jpeg = LoadGraphic<TJPEGImage>(bytes);
            EXPECT_EQ(jpeg->GetWidth(), expected.Width);
            EXPECT_EQ(jpeg->GetHeight(), expected.Height);
            ExpectGreys(*Decoded(*jpeg), expected.Width, expected.Height, expected.Rows);
        }
    }
}

TEST(JpegImage, BrokenExifBlocksLeaveThePictureAsStored)
{
    TBytes cutShort = ExifWithOrientation(6, false);
    cutShort.resize(cutShort.size() - 8);  // ends inside the orientation entry
    TBytes farDirectory = ExifWithOrientation(6, false);
    farDirectory[10] = 0xF0;  // directory offset past the block
    for (const TBytes& block : {cutShort, farDirectory, TBytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'I'}}) {
        TJpegSpec spec = Grey2x3();
        spec.App1 = block;
        auto jpeg = LoadGraphic<TJPEGImage>(MakeJpeg(spec));
        ExpectGreys(*Decoded(*jpeg), 2, 3, {a, b, c, d, e, f});
    }
}

TEST(JpegImage, QuarterTurnAcrossSeveralBands)
{
    // Stored 200 x 20000 in solid 8 x 8 blocks; upright 20000 x 200, which is two bands.
    TJpegSpec spec;
    spec.Width = 200;
    spec.Height = 20000;
    spec.Colours = TJpegColours::Grey;
    spec.Quality = 90;
    auto value = [](int x, int y) { return uint8_t((x / 8 * 37 + y / 8 * 11) % 200 + 20); };
    for (int y = 0; y < spec.Height; ++y)
        for (int x = 0; x < spec.Width; ++x) spec.Samples.push_back(value(x, y));
    spec.App1 = ExifWithOrientation(6, false);
    auto bitmap = Decoded(*LoadGraphic<TJPEGImage>(MakeJpeg(spec)));
    ASSERT_EQ(bitmap->GetWidth(), 20000);
    ASSERT_EQ(bitmap->GetHeight(), 200);
    ASSERT_GT(bitmap->BandCount(), 1);
    // Turned a quarter clockwise: upright (x, y) shows stored (y, 19999 - x).
    for (auto [x, y] : {std::pair{0, 0}, {19999, 0}, {0, 199}, {19999, 199}, {12345, 150}, {7, 140}})
        EXPECT_TRUE(ColoursNear(ColourAt(*bitmap, x, y), Grey(value(y, 19999 - x)), 4)) << x << "," << y;
}

TEST(JpegImage, ProgressivePicturesDecodeLikeBaselineOnes)
{
    TJpegSpec spec = Grey2x3();
    spec.Progressive = true;
    spec.App1 = ExifWithOrientation(3, false);
    const TBytes bytes = MakeJpeg(spec);
    ExpectGreys(*Decoded(*LoadGraphic<TJPEGImage>(bytes)), 2, 3, {f, e, d, c, b, a});
}

TEST(JpegImage, AFileLackingOnlyItsEndMarkerLoads)
{
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const TBytes complete = MakeJpeg(Busy(progressive));
        const TBytes noEndMarker(complete.begin(), complete.end() - 2);
        auto expected = Decoded(*LoadGraphic<TJPEGImage>(complete));
        auto loaded = Decoded(*LoadGraphic<TJPEGImage>(noEndMarker));
        ASSERT_EQ(loaded->GetWidth(), 64);
        ASSERT_EQ(loaded->GetHeight(), 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(ColourAt(*loaded, x, y), ColourAt(*expected, x, y)) << x << "," << y;
    }
}

TEST(JpegImage, DamagedFilesFailWithAMessageAndLeaveTheGraphicAsItWas)
{
    const TBytes baseline = MakeJpeg(Busy(false));
    const TBytes progressive = MakeJpeg(Busy(true));
    TBytes corrupt = baseline;
    for (size_t i = corrupt.size() / 2; i < corrupt.size() / 2 + 40; ++i) corrupt[i] = 0xFF;
    // Cut in the middle of the picture data, then closed properly: the markers look complete.
    TBytes cutAndClosed(baseline.begin(), baseline.begin() + baseline.size() / 2);
    cutAndClosed.insert(cutAndClosed.end(), {0xFF, 0xD9});
    const std::vector<std::pair<std::string, TBytes>> damaged = {
        {"truncated", TBytes(baseline.begin(), baseline.begin() + baseline.size() / 2)},
        {"no end marker, scan data cut", TBytes(baseline.begin(), baseline.end() - 12)},
        {"truncated progressive", TBytes(progressive.begin(), progressive.begin() + progressive.size() * 2 / 3)},
        {"progressive without its last scan", TBytes(progressive.begin(), progressive.begin() + LastScan(progressive))},
        {"progressive cut in its last scan", TBytes(progressive.begin(), progressive.begin() + LastScan(progressive) + 16)},
        {"corrupt data", corrupt},
        {"cut and closed", cutAndClosed},
        {"not jpeg", TBytes{'h', 'e', 'l', 'l', 'o'}},
        {"empty", {}},
    };
    auto jpeg = LoadGraphic<TJPEGImage>(MakeJpeg(Grey2x3()));
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        ExpectInvalid(bytes, *jpeg);
        EXPECT_EQ(jpeg->GetWidth(), 2);
        EXPECT_EQ(Decoded(*jpeg)->GetHeight(), 3);
    }
    ExpectError<EInvalidGraphic>([&] { LoadGraphic<TJPEGImage>(damaged[0].second); },
                                 "JPEG 画像が正しくありません: Premature end of JPEG file");
    ExpectError<EInvalidGraphic>([&] { LoadGraphic<TJPEGImage>(cutAndClosed); },
                                 "JPEG 画像が正しくありません: Corrupt JPEG data: premature end of data segment");
}

TEST(JpegImage, AbsurdSizeFailsBeforeAnythingIsAllocated)
{
    TJpegSpec spec = Grey2x3();
    spec.Progressive = true;
    TBytes bytes = MakeJpeg(spec);
    // The frame header (FF C2 for progressive): length, precision, height, width.
    size_t frame = 2;
    while (!(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC2)) ++frame;
    for (size_t at : {frame + 5, frame + 7}) bytes[at] = 0xFD, bytes[at + 1] = 0xE8;  // 65000
    ExpectError<EInvalidGraphic>([&] { LoadGraphic<TJPEGImage>(bytes); },
                                 "画像が大きすぎます: 65000 x 65000 ピクセル (上限は 268435456 ピクセル)");
}
