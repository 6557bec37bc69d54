#pragma once
// Decoded samples (grey or red, green, blue, each maybe followed by alpha; 8 or 16 bits wide,
// up to any maximum value such as 1023 for 10-bit pictures) turned into the blue, green, red
// pixels of a DIB line. Transparency is composed over white; every level is rounded to the
// nearest of the 256, not cut to its high bits.

#include <cstdint>
#include <vector>

#include "plugins/dib_writer.h"

namespace quilmo::spi {

enum class TAlpha : uint8_t { None, Straight, Premultiplied };

struct TSampleLayout {
    int ColourChannels = 3;  // 1 grey, 3 red, green, blue
    TAlpha Alpha = TAlpha::None;  // an alpha sample follows the colour ones

    int Channels() const { return ColourChannels + (Alpha == TAlpha::None ? 0 : 1); }
};

class TPixelConverter {
public:
    TPixelConverter(TSampleLayout layout, uint32_t maxValue);

    // count pixels of samples in layout into line. Samples above the maximum count as it.
    void Put(const uint8_t* samples, uint32_t count, const TPixelLine& line) const;
    void Put(const uint16_t* samples, uint32_t count, const TPixelLine& line) const;

private:
    template <typename T>
    void PutAny(const T* samples, uint32_t count, const TPixelLine& line) const;
    template <int Colours, TAlpha Alpha, typename T>
    void PutPixels(const T* samples, uint32_t count, const TPixelLine& line) const;

    TSampleLayout FLayout;
    uint32_t FMax;
    std::vector<uint8_t> FToByte;  // every 16-bit value to its 8-bit level
};

}  // namespace quilmo::spi
