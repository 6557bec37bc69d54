#include <gtest/gtest.h>

#include "picture_data.h"
#include "resample/frame.h"
#include "resample/kernels.h"
#include "resample/resamplers.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// Lanczos-3 as defined, one destination pixel at a time: single positions and weights, the 36
// products normalised by their total, each row's terms added in extended precision to a
// single sum.
TPixels ReferenceLanczos(const TPixels& source, int32_t width, int32_t height)
{
    struct TTaps {
        int32_t Index[6];
        float W[6];
    };
    auto taps = [](int32_t length, int32_t count, int32_t d) {
        const auto ratio = static_cast<float>(static_cast<long double>(length) / count);
        const auto p = static_cast<float>(static_cast<long double>(d) * ratio);
        const auto b = static_cast<int32_t>(p);
        const float t = p - static_cast<float>(b);
        const float distances[6] = {t + 2, t + 1, t, 1 - t, 2 - t, 3 - t};
        TTaps result;
        for (int k = 0; k < 6; ++k) {
            const int32_t i = b + k - 2;
            result.Index[k] = i < 0 || i > length - 1 ? b : i;
            result.W[k] = SinC(distances[k]) * SinC(distances[k] / 3.0f);
        }
        return result;
    };
    TPixels result = Uniform(width, height, 0);
    for (int32_t y = 0; y < height; ++y) {
        const TTaps rows = taps(source.Height, height, y);
        for (int32_t x = 0; x < width; ++x) {
            const TTaps columns = taps(source.Width, width, x);
            float q[36];
            float total = 0;
            for (int j = 0; j < 6; ++j)
                for (int k = 0; k < 6; ++k) total += q[6 * j + k] = columns.W[k] * rows.W[j];
            for (float& v : q) v /= total;
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (int j = 0; j < 6; ++j) {
                    long double s = sum;
                    for (int k = 0; k < 6; ++k)
                        s += source.At(columns.Index[k], rows.Index[j], c) * static_cast<long double>(q[6 * j + k]);
                    sum = static_cast<float>(s);
                }
                result.At(x, y, c) = ClampByte(sum);
            }
        }
    }
    return result;
}

// Flat areas with sharp steps: sums that land on rounding boundaries of the single.
TPixels Blocks(int32_t width, int32_t height)
{
    TPixels pixels = Uniform(width, height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) pixels.At(x, y, c) = ((x / 5 + y / 3) % 2) ? 255 : uint8_t(64 * c);
    return pixels;
}

// Slopes of 1, 3 and 5 across, 2 down: enlarged 2x, every other column lies exactly halfway
// between two bytes, where only the rounding of the defined sums decides.
TPixels Ramp(int32_t width, int32_t height)
{
    TPixels pixels = Uniform(width, height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) pixels.At(x, y, c) = uint8_t((2 * c + 1) * x + 2 * y);
    return pixels;
}

}  // namespace

TEST(Lanczos, EveryWayOfSummingGivesExactlyTheDefinedPixels)
{
    const std::pair<TPixels, std::pair<int32_t, int32_t>> cases[] = {
        {RandomPixels(40, 30, 1), {80, 60}},  // half the positions on source pixels
        {RandomPixels(13, 7, 2), {31, 17}},
        {RandomPixels(25, 20, 3), {67, 41}},
        {Blocks(20, 12), {40, 24}},
        {Blocks(9, 11), {29, 30}},
        {Ramp(30, 12), {60, 24}},
        {RandomPixels(1, 1, 4), {5, 3}},
    };
    for (TVectorSums sums : AvailableVectorSums()) {
        for (const auto& [source, size] : cases) {
            TBitmap bitmap;
            Load(bitmap, source);
            EnlargeFrame(bitmap, size.first, size.second, LanczosMaker(sums), {});
            EXPECT_EQ(PixelsOf(bitmap).Bytes, ReferenceLanczos(source, size.first, size.second).Bytes)
                << int(sums) << " " << source.Width << "x" << source.Height;
        }
    }
}
