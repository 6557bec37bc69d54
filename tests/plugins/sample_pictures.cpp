#include "sample_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "color/color_transform.h"
#include "input/susie_dib.h"
#include "support/peak_memory.h"
#include "support/picture_checks.h"

namespace quilmo::test {

namespace {

uint8_t Level(double value, uint32_t maxValue) { return static_cast<uint8_t>(std::lround(value * 255.0 / maxValue)); }

// Where stored pixel (x, y) of a width x height picture shows in the upright one: 2 mirrors, 3
// turns by half, 4 flips, 5 transposes, 6 turns a quarter clockwise, 7 transposes across the
// other diagonal, 8 turns a quarter anticlockwise.
std::pair<int32_t, int32_t> UprightPlace(int orientation, int32_t x, int32_t y, int32_t width, int32_t height)
{
    switch (orientation) {
    case 2: return {width - 1 - x, y};
    case 3: return {width - 1 - x, height - 1 - y};
    case 4: return {x, height - 1 - y};
    case 5: return {y, x};
    case 6: return {height - 1 - y, x};
    case 7: return {height - 1 - y, width - 1 - x};
    case 8: return {y, width - 1 - x};
    default: return {x, y};
    }
}

}  // namespace

std::vector<uint8_t> TSamplePicture::Bytes() const { return std::vector<uint8_t>(Samples.begin(), Samples.end()); }

TSamplePicture MakeSamplePicture(int32_t width, int32_t height, int channels, uint32_t maxValue)
{
    TSamplePicture picture{width, height, channels, maxValue, {}};
    const int colours = channels <= 2 ? 1 : 3;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const double across = (x + 0.5) / width, down = (y + 0.5) / height;
            const double levels[3] = {across, down, 1.0 - (across + down) / 2};
            for (int c = 0; c < colours; ++c)
                picture.Samples.push_back(static_cast<uint16_t>(std::lround(levels[c] * maxValue)));
            const size_t index = static_cast<size_t>(y) * width + x, last = static_cast<size_t>(width) * height - 1;
            if (picture.HasAlpha()) picture.Samples.push_back(static_cast<uint16_t>(maxValue * index / last));
        }
    return picture;
}

std::vector<TColor> ExpectedColours(const TSamplePicture& picture, int orientation, bool premultiplied)
{
    const bool turned = orientation >= 5 && orientation <= 8;
    const int32_t width = turned ? picture.Height : picture.Width;
    std::vector<TColor> colours(static_cast<size_t>(picture.Width) * picture.Height);
    const int colourChannels = picture.Channels <= 2 ? 1 : 3;
    const double max = picture.MaxValue;
    for (int32_t y = 0; y < picture.Height; ++y)
        for (int32_t x = 0; x < picture.Width; ++x) {
            const double alpha = picture.HasAlpha() ? picture.At(x, y, picture.Channels - 1) : max;
            uint8_t rgb[3];
            for (int c = 0; c < 3; ++c) {
                const double level = picture.At(x, y, colourChannels == 1 ? 0 : c);
                const double overWhite = premultiplied ? level + (max - alpha) : (level * alpha + max * (max - alpha)) / max;
                rgb[c] = Level(overWhite, picture.MaxValue);
            }
            const auto [u, v] = UprightPlace(orientation, x, y, picture.Width, picture.Height);
            colours[static_cast<size_t>(v) * width + u] = rgb[0] | rgb[1] << 8 | rgb[2] << 16;
        }
    return colours;
}

int32_t DecodeInto(spi::TDecodeFunction decode, const TBytes& file, TBitmap& bitmap)
{
    TPluginColours colours;
    return DecodeInto(decode, file, bitmap, colours);
}

int32_t DecodeInto(spi::TDecodeFunction decode, const TBytes& file, TBitmap& bitmap, TPluginColours& colours)
{
    spi::TDibBlocks blocks;
    if (const int32_t code = decode(file.data(), file.size(), blocks)) return code;
    colours = {SusieBlockProfile(blocks.Info.Data.get(), blocks.Info.Size), blocks.Info.Size};
    return SusieBlocksToBitmap(blocks.Info.Data.get(), blocks.Info.Size, blocks.Bits.Data.get(), blocks.Bits.Size,
                               bitmap);
}

TColor TPluginColours::ShownInSRGB(const TBitmap& bitmap, int32_t x, int32_t y) const
{
    const TColor colour = ColourAt(bitmap, x, y);
    const std::shared_ptr<const TColorTransform> transform = ColorTransform(Profile, TColorProfile());
    if (!transform) return colour;
    uint8_t pixel[3] = {ColorBlue(colour), ColorGreen(colour), ColorRed(colour)};
    transform->Apply(pixel, pixel, 1);
    return RGBColor(pixel[2], pixel[1], pixel[0]);
}

void ExpectColours(const TBitmap& bitmap, int32_t width, const std::vector<TColor>& colours, int tolerance)
{
    ASSERT_EQ(bitmap.GetWidth(), width);
    ASSERT_EQ(bitmap.GetHeight(), static_cast<int32_t>(colours.size()) / width);
    int misses = 0;
    for (size_t i = 0; i < colours.size() && misses < 5; ++i) {
        const TColor got = ColourAt(bitmap, static_cast<int32_t>(i % width), static_cast<int32_t>(i / width));
        for (int shift = 0; shift < 24; shift += 8) {
            const int difference = std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((colours[i] >> shift) & 0xFF));
            if (difference > tolerance) {
                ADD_FAILURE() << "pixel " << i << ": " << std::hex << got << " instead of " << colours[i];
                ++misses;
                break;
            }
        }
    }
}

void ExpectRefusedEarly(spi::TDecodeFunction decode, const TBytes& file, int32_t code)
{
    const long growth = PeakGrowthInKiB([&] {
        spi::TDibBlocks blocks;
        return decode(file.data(), file.size(), blocks) == code;
    });
    ASSERT_GE(growth, 0) << "not refused with code " << code;
    if (kPeakMemoryMeansSomething) {
        EXPECT_LT(growth, 64 << 10);
    }
}

void ExpectDamageHandled(spi::TDecodeFunction decode, const TBytes& file)
{
    std::vector<TBytes> damaged;
    for (size_t part = 1; part < 8; ++part) damaged.emplace_back(file.begin(), file.begin() + file.size() * part / 8);
    for (size_t at = 0; at < file.size(); at += file.size() / 13 + 1) {
        TBytes flipped = file;
        flipped[at] ^= 0x5A;
        damaged.push_back(std::move(flipped));
    }
    for (const TBytes& bytes : damaged) {
        spi::TDibBlocks blocks;
        const int32_t code = decode(bytes.data(), bytes.size(), blocks);
        TBitmap bitmap;
        if (code == 0)
            EXPECT_EQ(SusieBlocksToBitmap(blocks.Info.Data.get(), blocks.Info.Size, blocks.Bits.Data.get(),
                                          blocks.Bits.Size, bitmap),
                      0);
        else
            EXPECT_TRUE(code == 2 || code == 3 || code == 4) << code;
    }
}

}  // namespace quilmo::test
