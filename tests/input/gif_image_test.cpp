#include <gtest/gtest.h>

#include <string>

#include "bigbitmap/errors.h"
#include "input/codec_fixtures.h"
#include "input/gif_image.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

const std::vector<TRGBColour> kColours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
constexpr TColor kWhite = RGBColor(255, 255, 255);

TColor Colour(int index)
{
    return RGBColor(kColours[index][0], kColours[index][1], kColours[index][2]);
}

TGifSpec OneFrame(int width, int height, TBytes indices)
{
    TGifSpec spec;
    spec.ScreenWidth = width;
    spec.ScreenHeight = height;
    spec.GlobalColours = kColours;
    spec.Frames.push_back({0, 0, width, height, false, {}, -1, std::move(indices)});
    return spec;
}

void ExpectPixels(TBigBitmap& bitmap, int width, int height, const std::vector<TColor>& expected)
{
    ASSERT_EQ(bitmap.GetWidth(), width);
    ASSERT_EQ(bitmap.GetHeight(), height);
    for (int i = 0; i < width * height; ++i)
        EXPECT_EQ(ColourAt(bitmap, i % width, i / width), expected[i]) << "pixel " << i;
}

}  // namespace

TEST(GifImage, PixelsComeFromTheColourTable)
{
    const TBytes bytes = MakeGif(OneFrame(3, 2, {0, 1, 2, 3, 2, 1}));
    auto gif = LoadGraphic<TGIFImage>(bytes);
    ExpectPixels(*Decoded(*gif), 3, 2, {Colour(0), Colour(1), Colour(2), Colour(3), Colour(2), Colour(1)});
}

TEST(GifImage, TransparentPixelsAreWhite)
{
    TGifSpec spec = OneFrame(3, 2, {0, 1, 2, 3, 2, 1});
    spec.Frames[0].Transparent = 2;
    const TBytes bytes = MakeGif(spec);
    ExpectPixels(*Decoded(*LoadGraphic<TGIFImage>(bytes)), 3, 2,
                 {Colour(0), Colour(1), kWhite, Colour(3), kWhite, Colour(1)});
}

TEST(GifImage, OnlyTheFirstFrameShowsOnTheScreenWithItsOwnColours)
{
    TGifSpec spec;
    spec.ScreenWidth = 4;
    spec.ScreenHeight = 3;
    spec.GlobalColours = {{0, 0, 0}, {1, 1, 1}};
    spec.Frames.push_back({1, 1, 2, 2, false, kColours, -1, {3, 2, 1, 0}});
    spec.Frames.push_back({0, 0, 4, 3, false, {}, -1, TBytes(12, 0)});
    const TBytes bytes = MakeGif(spec);
    auto gif = LoadGraphic<TGIFImage>(bytes);
    ExpectPixels(*Decoded(*gif), 4, 3,
                 {kWhite, kWhite, kWhite, kWhite,        //
                  kWhite, Colour(3), Colour(2), kWhite,  //
                  kWhite, Colour(1), Colour(0), kWhite});
}

TEST(GifImage, AFrameLargerThanTheScreenGrowsThePicture)
{
    TGifSpec spec = OneFrame(2, 1, {0, 1, 2, 3});
    spec.Frames[0] = {1, 0, 2, 2, false, {}, -1, {0, 1, 2, 3}};
    ExpectPixels(*Decoded(*LoadGraphic<TGIFImage>(MakeGif(spec))), 3, 2,
                 {kWhite, Colour(0), Colour(1), kWhite, Colour(2), Colour(3)});
}

TEST(GifImage, InterlacedFramesAreReadInPassOrder)
{
    TBytes indices;
    for (int y = 0; y < 11; ++y) indices.insert(indices.end(), {uint8_t(y % 4), uint8_t((y + 1) % 4)});
    TGifSpec spec = OneFrame(2, 11, indices);
    spec.Frames[0].Interlaced = true;
    const TBytes bytes = MakeGif(spec);
    std::vector<TColor> expected;
    for (uint8_t index : indices) expected.push_back(Colour(index));
    ExpectPixels(*Decoded(*LoadGraphic<TGIFImage>(bytes)), 2, 11, expected);
}

TEST(GifImage, DamagedFilesFailWithAMessageAndLeaveTheGraphicAsItWas)
{
    TBytes indices(40 * 30);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = uint8_t(i * 7 / 3 % 4);
    const TBytes good = MakeGif(OneFrame(40, 30, indices));
    TGifSpec empty = OneFrame(1, 1, {0});
    empty.Frames.clear();
    const std::vector<std::pair<std::string, TBytes>> damaged = {
        {"truncated", TBytes(good.begin(), good.begin() + good.size() / 2)},
        {"no trailer", TBytes(good.begin(), good.end() - 2)},
        {"header only", TBytes(good.begin(), good.begin() + 10)},
        {"no frame", MakeGif(empty)},
        {"empty", {}},
    };
    auto gif = LoadGraphic<TGIFImage>(MakeGif(OneFrame(3, 2, {0, 1, 2, 3, 2, 1})));
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
        try {
            gif->LoadFromStream(stream);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(std::string(e.what()).rfind("GIF 画像が正しくありません: ", 0), 0u) << e.what();
        }
        EXPECT_EQ(gif->GetWidth(), 3);
        EXPECT_EQ(Decoded(*gif)->GetHeight(), 2);
    }
    ExpectError<EInvalidGraphic>([&] { LoadGraphic<TGIFImage>(damaged[3].second); },
                                 "GIF 画像が正しくありません: no picture in the file");
}

TEST(GifImage, AbsurdScreenSizeFailsBeforeAnythingIsAllocated)
{
    TBytes bytes = MakeGif(OneFrame(1, 1, {0}));
    for (size_t at = 6; at < 10; ++at) bytes[at] = 0xFF;  // screen 65535 x 65535
    ExpectError<EInvalidGraphic>([&] { LoadGraphic<TGIFImage>(bytes); },
                                 "画像が大きすぎます: 65535 x 65535 ピクセル (上限は 268435456 ピクセル)");
}
