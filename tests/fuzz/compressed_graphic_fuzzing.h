#pragma once
// Any bytes as a JPEG, PNG or GIF file: either a clean error that leaves the graphic empty, or a
// graphic that holds a big bitmap of exactly the size it reported. The header read alone and
// the pixels decoded later give the same picture, or an error where the full load gave one.

#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"

namespace quilmo {

// Where the fuzzer reads pixels to, so that the reads are not optimised away.
inline volatile uint8_t FuzzPixelSink;

template <typename T>
int FuzzCompressedGraphic(const uint8_t* data, size_t size)
{
    // Larger pictures are refused from their header, so that the time goes to the decoders.
    static const bool limited = (SetMaxPicturePixels(int64_t{1} << 22), true);
    (void)limited;
    T graphic;
    bool loaded = true;
    try {
        TReadOnlyMemoryStream stream(data, size);
        graphic.LoadFromStream(stream);
    } catch (const std::exception&) {
        if (!graphic.GetEmpty()) __builtin_trap();
        loaded = false;
    }
    TBigBitmap bitmap;
    if (loaded) {
        const int64_t width = graphic.GetWidth(), height = graphic.GetHeight();
        bitmap.Assign(&graphic);
        if (bitmap.GetWidth() != width || bitmap.GetHeight() != height || bitmap.PixelFormat() != bbpf24bit)
            __builtin_trap();
        for (int32_t y = 0; y < bitmap.GetHeight(); ++y) FuzzPixelSink = bitmap.GetScanline(y)[width * 3 - 1];
    }
    T header;
    try {
        header.LoadHeader(std::vector<uint8_t>(data, data + size));
    } catch (const std::exception&) {
        if (loaded || !header.GetEmpty()) __builtin_trap();
        return 0;
    }
    TBigBitmap later;
    try {
        header.TakePixels(later);
    } catch (const std::exception&) {
        if (loaded) __builtin_trap();
        return 0;
    }
    if (!loaded || later.GetWidth() != bitmap.GetWidth() || later.GetHeight() != bitmap.GetHeight()) __builtin_trap();
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        if (std::memcmp(later.GetScanline(y), bitmap.GetScanline(y), size_t(bitmap.GetWidth()) * 3) != 0) __builtin_trap();
    return 0;
}

}  // namespace quilmo
