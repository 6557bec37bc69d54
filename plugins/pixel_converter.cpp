#include "plugins/pixel_converter.h"

#include <algorithm>

namespace quilmo::spi {

TPixelConverter::TPixelConverter(TSampleLayout layout, uint32_t maxValue)
    : FLayout(layout), FMax(std::max<uint32_t>(maxValue, 1)), FToByte(65536)
{
    for (uint32_t value = 0; value < FToByte.size(); ++value)
        FToByte[value] = static_cast<uint8_t>((std::min(value, FMax) * 255 + FMax / 2) / FMax);
}

template <int Colours, TAlpha Alpha, typename T>
void TPixelConverter::PutPixels(const T* samples, uint32_t count, const TPixelLine& line) const
{
    constexpr int kChannels = Colours + (Alpha == TAlpha::None ? 0 : 1);
    const uint64_t max = FMax;
    const uint8_t* toByte = FToByte.data();
    uint8_t* out = line.First;
    for (uint32_t i = 0; i < count; ++i, samples += kChannels, out += line.Step) {
        uint32_t colour[3] = {samples[0], samples[Colours == 3 ? 1 : 0], samples[Colours == 3 ? 2 : 0]};
        if constexpr (Alpha != TAlpha::None) {
            const uint64_t alpha = std::min<uint64_t>(samples[Colours], max);
            if (alpha < max) {
                for (uint32_t& c : colour) {
                    const uint64_t level = std::min<uint64_t>(c, max);
                    // Over white: straight colours are weighed by alpha, premultiplied ones
                    // already are.
                    const uint64_t composed = Alpha == TAlpha::Straight
                                                  ? (level * alpha + max * (max - alpha) + max / 2) / max
                                                  : level + (max - alpha);
                    c = static_cast<uint32_t>(std::min(composed, max));
                }
            }
        }
        out[0] = toByte[colour[2]];
        out[1] = toByte[colour[1]];
        out[2] = toByte[colour[0]];
    }
}

template <typename T>
void TPixelConverter::PutAny(const T* samples, uint32_t count, const TPixelLine& line) const
{
    const bool grey = FLayout.ColourChannels == 1;
    switch (FLayout.Alpha) {
    case TAlpha::None:
        return grey ? PutPixels<1, TAlpha::None>(samples, count, line) : PutPixels<3, TAlpha::None>(samples, count, line);
    case TAlpha::Straight:
        return grey ? PutPixels<1, TAlpha::Straight>(samples, count, line)
                    : PutPixels<3, TAlpha::Straight>(samples, count, line);
    case TAlpha::Premultiplied:
        return grey ? PutPixels<1, TAlpha::Premultiplied>(samples, count, line)
                    : PutPixels<3, TAlpha::Premultiplied>(samples, count, line);
    }
}

void TPixelConverter::Put(const uint8_t* samples, uint32_t count, const TPixelLine& line) const
{
    PutAny(samples, count, line);
}

void TPixelConverter::Put(const uint16_t* samples, uint32_t count, const TPixelLine& line) const
{
    PutAny(samples, count, line);
}

}  // namespace quilmo::spi
