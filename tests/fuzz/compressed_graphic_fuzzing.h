#pragma once
// Any bytes as a JPEG, PNG or GIF file: either a clean error that leaves the graphic empty, or a
// graphic that then decodes into a big bitmap of exactly the size it reported.

#include <cstdint>
#include <exception>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/stream.h"

namespace quilmo {

// Where the fuzzer reads pixels to, so that the reads are not optimised away.
inline volatile uint8_t FuzzPixelSink;

template <typename T>
int FuzzCompressedGraphic(const uint8_t* data, size_t size)
{
    T graphic;
    try {
        TReadOnlyMemoryStream stream(data, size);
        graphic.LoadFromStream(stream);
    } catch (const std::exception&) {
        if (!graphic.GetEmpty()) __builtin_trap();
        return 0;
    }
    // A loaded picture must decode; big ones are skipped so that the time goes to the decoders,
    // and ones too wide for a big bitmap fail there by design.
    const int64_t width = graphic.GetWidth(), height = graphic.GetHeight();
    if (width * height > (int64_t{1} << 22) || !RowFitsBand(24, width)) return 0;
    TBigBitmap bitmap;
    bitmap.Assign(&graphic);
    if (bitmap.GetWidth() != width || bitmap.GetHeight() != height || bitmap.PixelFormat() != bbpf24bit)
        __builtin_trap();
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y) FuzzPixelSink = bitmap.GetScanline(y)[width * 3 - 1];
    return 0;
}

}  // namespace quilmo
