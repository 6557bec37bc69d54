#pragma once
// Pictures for the format plug-ins' tests: samples made in code, handed to each library's own
// encoder, and the colours the plug-in must give for them.

#include <cstdint>
#include <vector>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/pixel_limit.h"
#include "color/color_profile.h"
#include "plugins/get_picture.h"
#include "plugins/spi_codes.h"
#include "plugins/spi_export.h"
#include "support/bmp_builder.h"

namespace quilmo::test {

// Rows of interleaved samples: grey, grey + alpha, RGB or RGBA, each up to MaxValue.
struct TSamplePicture {
    int32_t Width = 0;
    int32_t Height = 0;
    int Channels = 3;
    uint32_t MaxValue = 255;
    std::vector<uint16_t> Samples;

    uint16_t At(int32_t x, int32_t y, int channel) const
    {
        return Samples[(static_cast<size_t>(y) * Width + x) * Channels + channel];
    }
    bool HasAlpha() const { return Channels == 2 || Channels == 4; }
    std::vector<uint8_t> Bytes() const;       // 8-bit samples
};

// A picture whose pixels all differ, so that a turned or mirrored result shows. With alpha, the
// alpha runs from transparent to opaque.
TSamplePicture MakeSamplePicture(int32_t width, int32_t height, int channels, uint32_t maxValue = 255);

// The colours (0x00BBGGRR) the upright picture shows, row by row from the top left: transparency
// over white, every level rounded to the nearest of 8 bits. orientation 1 to 8 as in EXIF.
std::vector<TColor> ExpectedColours(const TSamplePicture& picture, int orientation = 1, bool premultiplied = false);

// Decodes file with decode and turns the blocks into a bitmap as the host does. Returns the
// plug-in's code, or the host's.
int32_t DecodeInto(spi::TDecodeFunction decode, const TBytes& file, TBitmap& bitmap);

// The same, with the colours the host takes from the blocks and the size of the info block.
struct TPluginColours {
    TColorProfile Profile;
    size_t InfoSize = 0;

    // The pixel at x, y of bitmap through the profile into sRGB, as the colour library converts it.
    TColor ShownInSRGB(const TBitmap& bitmap, int32_t x, int32_t y) const;
};
int32_t DecodeInto(spi::TDecodeFunction decode, const TBytes& file, TBitmap& bitmap, TPluginColours& colours);

// Expects the bitmap to show colours (width wide), each channel within tolerance.
void ExpectColours(const TBitmap& bitmap, int32_t width, const std::vector<TColor>& colours, int tolerance = 0);

// The shipped plug-ins' pixel limit while the scope lasts.
class TPluginPixelLimit {
public:
    explicit TPluginPixelLimit(int64_t limit) { QuilmoSetPixelLimit(limit); }
    ~TPluginPixelLimit() { QuilmoSetPixelLimit(kDefaultMaxPicturePixels); }
};

// Expects decode to refuse file with code before it takes the memory the file declares: the
// peak grows by less than 64 MiB, where that can be measured.
void ExpectRefusedEarly(spi::TDecodeFunction decode, const TBytes& file, int32_t code = spi::kOutOfMemory);

// Copies of file cut short and with bytes flipped: each must decode or fail with a plug-in
// code, never crash or hang.
void ExpectDamageHandled(spi::TDecodeFunction decode, const TBytes& file);

}  // namespace quilmo::test
