#include "picture_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

namespace quilmo::test {

TPixels Uniform(int32_t width, int32_t height, uint8_t value)
{
    return {width, height, std::vector<uint8_t>(size_t(width) * height * 3, value)};
}

TPixels RandomPixels(int32_t width, int32_t height, uint32_t seed)
{
    std::mt19937 random(seed);
    TPixels pixels = Uniform(width, height, 0);
    // Half of the rows are noise, half are ramps with noise in them: sharp and smooth detail.
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                pixels.At(x, y, c) = y % 2 == 0 ? static_cast<uint8_t>(random())
                                                : static_cast<uint8_t>(x * 7 + c * 50 + random() % 8);
    return pixels;
}

void Load(TBigBitmap& bitmap, const TPixels& pixels)
{
    bitmap.SetBitmaps(pixels.Width, pixels.Height, bbpf24bit);
    for (int32_t y = 0; y < pixels.Height; ++y)
        std::memcpy(bitmap.GetScanline(y), &pixels.Bytes[size_t(y) * pixels.Width * 3], size_t(pixels.Width) * 3);
}

void Load(TBitmap& bitmap, const TPixels& pixels)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(pixels.Width, pixels.Height);
    for (int32_t y = 0; y < pixels.Height; ++y)
        std::memcpy(bitmap.ScanLine(y), &pixels.Bytes[size_t(y) * pixels.Width * 3], size_t(pixels.Width) * 3);
}

TPixels PixelsOf(TBigBitmap& bitmap)
{
    EXPECT_EQ(bitmap.PixelFormat(), bbpf24bit);
    TPixels pixels = Uniform(bitmap.GetWidth(), bitmap.GetHeight(), 0);
    for (int32_t y = 0; y < pixels.Height; ++y)
        std::memcpy(&pixels.Bytes[size_t(y) * pixels.Width * 3], bitmap.GetScanline(y), size_t(pixels.Width) * 3);
    return pixels;
}

TPixels PixelsOf(const TBitmap& bitmap)
{
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    TPixels pixels = Uniform(bitmap.GetWidth(), bitmap.GetHeight(), 0);
    for (int32_t y = 0; y < pixels.Height; ++y)
        std::memcpy(&pixels.Bytes[size_t(y) * pixels.Width * 3], bitmap.ScanLine(y), size_t(pixels.Width) * 3);
    return pixels;
}

TDifference Compare(const TPixels& a, const TPixels& b)
{
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    TDifference difference;
    if (a.Bytes.size() != b.Bytes.size()) return {int64_t(a.Bytes.size()), 255};
    for (size_t i = 0; i < a.Bytes.size(); ++i) {
        const int step = std::abs(a.Bytes[i] - b.Bytes[i]);
        if (step == 0) continue;
        ++difference.Channels;
        difference.MaxStep = std::max(difference.MaxStep, step);
    }
    return difference;
}

}  // namespace quilmo::test
