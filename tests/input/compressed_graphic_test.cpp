#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/canvas.h"
#include "bigbitmap/errors.h"
#include "input/codec_fixtures.h"
#include "input/gif_image.h"
#include "input/graphic_registry.h"
#include "input/jpeg_image.h"
#include "input/png_image.h"
#include "support/picture_checks.h"
#include "support/scratch_folder.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// A 5 x 3 PNG with every opacity from 0 to 255 in steps.
TBytes TranslucentPng()
{
    TPngSpec spec;
    spec.Width = 5;
    spec.Height = 3;
    spec.ColourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (uint16_t i = 0; i < 15; ++i) spec.Samples.insert(spec.Samples.end(), {uint16_t(i * 17), 90, 200, uint16_t(i * 18)});
    return MakePng(spec);
}

TBytes TurnedJpeg()
{
    TJpegSpec spec;
    spec.Width = 9;
    spec.Height = 5;
    for (int i = 0; i < 45; ++i) spec.Samples.insert(spec.Samples.end(), {uint8_t(i * 5), uint8_t(255 - i * 3), 128});
    spec.Quality = 85;
    spec.App1 = ExifWithOrientation(7, false);
    return MakeJpeg(spec);
}

TBytes OffsetGif()
{
    TGifSpec spec;
    spec.ScreenWidth = 5;
    spec.ScreenHeight = 4;
    spec.GlobalColours = {{1, 2, 3}, {200, 100, 50}};
    spec.Frames.push_back({1, 1, 3, 2, false, {}, 1, {0, 1, 0, 1, 0, 0}});
    return MakeGif(spec);
}

std::vector<std::unique_ptr<TGraphic>> OneOfEach()
{
    std::vector<std::unique_ptr<TGraphic>> graphics;
    graphics.push_back(LoadGraphic<TPNGImage>(TranslucentPng()));
    graphics.push_back(LoadGraphic<TJPEGImage>(TurnedJpeg()));
    graphics.push_back(LoadGraphic<TGIFImage>(OffsetGif()));
    return graphics;
}

void ExpectSamePixels(TBigBitmap& a, TBigBitmap& b)
{
    ASSERT_EQ(a.GetWidth(), b.GetWidth());
    ASSERT_EQ(a.GetHeight(), b.GetHeight());
    ASSERT_EQ(a.PixelFormat(), b.PixelFormat());
    for (int32_t y = 0; y < a.GetHeight(); ++y)
        ASSERT_EQ(0, std::memcmp(a.GetScanline(y), b.GetScanline(y), size_t(a.GetWidth()) * 3)) << "row " << y;
}

}  // namespace

TEST(CompressedGraphic, BigBitmapGetsWhatAStandardBitmapAndABmpStreamGive)
{
    for (auto& graphic : OneOfEach()) {
        SCOPED_TRACE(graphic->ClassName());
        TBitmap standard;
        standard.Assign(graphic.get());
        EXPECT_EQ(standard.PixelFormat(), pf24bit);
        TBigBitmap throughStream;
        throughStream.Assign(&standard);
        ExpectSamePixels(*Decoded(*graphic), throughStream);
    }
}

TEST(CompressedGraphic, CloneIsAnIndependentCopy)
{
    for (auto& graphic : OneOfEach()) {
        SCOPED_TRACE(graphic->ClassName());
        const std::unique_ptr<TGraphic> copy = graphic->Clone();
        EXPECT_STREQ(copy->ClassName(), graphic->ClassName());
        auto before = Decoded(*graphic);
        graphic->Assign(nullptr);
        EXPECT_TRUE(graphic->GetEmpty());
        ExpectSamePixels(*Decoded(*copy), *before);
        // An empty graphic empties the bitmap it is assigned to.
        EXPECT_TRUE(Decoded(*graphic)->GetEmpty());
    }
}

TEST(CompressedGraphic, DrawsScaledOntoACanvas)
{
    TPngSpec spec;
    spec.Width = 2;
    spec.Height = 2;
    spec.ColourType = PNG_COLOR_TYPE_RGB;
    spec.Samples = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
    auto png = LoadGraphic<TPNGImage>(MakePng(spec));
    TBitmap target;
    target.Allocate(6, 4, pf24bit);
    target.Canvas().BrushColor = clBlack;
    target.Canvas().FillRect({0, 0, 6, 4});
    target.Canvas().StretchDraw({1, 0, 5, 4}, *png);
    // Each source pixel covers 2 x 2 target pixels; the columns outside stay black.
    const TColor source[2][2] = {{RGBColor(255, 0, 0), RGBColor(0, 255, 0)}, {RGBColor(0, 0, 255), RGBColor(9, 9, 9)}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(ColourAt(target, x, y), x == 0 || x == 5 ? clBlack : source[y / 2][(x - 1) / 2]) << x << "," << y;
}

TEST(CompressedGraphic, PicturesWiderThanTheFirstPlatformAllowedFillABigBitmap)
{
    TJpegSpec spec;
    spec.Width = 21759;
    spec.Colours = TJpegColours::Grey;
    spec.Samples.assign(21759, 128);
    auto jpeg = LoadGraphic<TJPEGImage>(MakeJpeg(spec));
    TBigBitmap target;
    target.Assign(jpeg.get());
    EXPECT_EQ(target.GetWidth(), 21759);
    EXPECT_EQ(target.GetHeight(), 1);
    EXPECT_EQ(ColourAt(target, 21758, 0), RGBColor(128, 128, 128));
}

// The header alone and the pixels later: what a full load gives, decoded once when asked for.
template <typename T>
void ExpectHeaderThenPixels(const TBytes& bytes)
{
    SCOPED_TRACE(T().ClassName());
    auto loaded = LoadGraphic<T>(bytes);
    T header;
    header.LoadHeader(bytes);
    EXPECT_EQ(header.GetWidth(), loaded->GetWidth());
    EXPECT_EQ(header.GetHeight(), loaded->GetHeight());
    TBigBitmap later;
    header.TakePixels(later);
    ExpectSamePixels(later, *Decoded(*loaded));
    // Taken from a full load, the pixels move without a copy; the bytes still give them again.
    TBigBitmap taken;
    loaded->TakePixels(taken);
    ExpectSamePixels(taken, later);
    ExpectSamePixels(*Decoded(*loaded), later);
    EXPECT_EQ(loaded->GetWidth(), later.GetWidth());
}

template <typename T>
void ExpectDamageFoundOnlyWhenDecoded(const TBytes& bytes)
{
    SCOPED_TRACE(T().ClassName());
    EXPECT_THROW(LoadGraphic<T>(bytes), EInvalidGraphic);
    T header;
    header.LoadHeader(bytes);
    TBigBitmap target;
    FillPattern(target, 2, 2);
    EXPECT_THROW(header.TakePixels(target), EInvalidGraphic);
    EXPECT_EQ(target.GetWidth(), 2);
    EXPECT_EQ(ColourAt(target, 1, 1), Pattern(1, 1));
}

TEST(CompressedGraphic, TheHeaderAloneGivesTheSizeAndLaterTheSamePixels)
{
    const std::array<uint8_t, 2> kStartOfScan{0xFF, 0xDA};
    ExpectHeaderThenPixels<TPNGImage>(TranslucentPng());
    ExpectHeaderThenPixels<TJPEGImage>(TurnedJpeg());
    ExpectHeaderThenPixels<TGIFImage>(OffsetGif());

    TBytes png = TranslucentPng();
    png[png.size() - 20] ^= 0x55;  // inside the picture data
    ExpectDamageFoundOnlyWhenDecoded<TPNGImage>(png);
    TBytes jpeg = TurnedJpeg();
    // Cut in the middle of the picture data and closed again: the markers look complete.
    const size_t scan = std::search(jpeg.begin(), jpeg.end(), kStartOfScan.begin(), kStartOfScan.end()) - jpeg.begin();
    jpeg.resize(scan + (jpeg.size() - scan) / 2);
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    ExpectDamageFoundOnlyWhenDecoded<TJPEGImage>(jpeg);
}

TEST(StandardFormats, EveryExtensionFindsItsDecoder)
{
    RegisterStandardGraphicFormats();
    RegisterStandardGraphicFormats();  // a second call changes nothing
    const std::pair<const char*, const char*> expected[] = {
        {".bmp", "TBmpImage"}, {".jpg", "TJPEGImage"}, {".JPEG", "TJPEGImage"}, {".jpe", "TJPEGImage"},
        {".Png", "TPNGImage"},  {".gif", "TGIFImage"},
    };
    for (auto [extension, className] : expected) {
        const TGraphicFactory create = FindGraphicFormat(extension);
        ASSERT_TRUE(create) << extension;
        EXPECT_STREQ(create()->ClassName(), className) << extension;
    }
    EXPECT_FALSE(FindGraphicFormat(".tif"));
    EXPECT_EQ(RegisteredGraphicFormats().size(), 6u);
}

TEST(StandardFormats, AJpeFileLoadsAsJpeg)
{
    RegisterStandardGraphicFormats();
    const TScratchFolder folder;
    const TBytes bytes = TurnedJpeg();
    std::ofstream(folder / "photo.jpe", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const std::unique_ptr<TGraphic> graphic = LoadGraphicFile(folder / "photo.jpe");
    EXPECT_STREQ(graphic->ClassName(), "TJPEGImage");
    EXPECT_EQ(graphic->GetWidth(), 5);
    EXPECT_EQ(graphic->GetHeight(), 9);
}
