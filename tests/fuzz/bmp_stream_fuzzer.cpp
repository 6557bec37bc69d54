// Any bytes as a BMP stream: either a picture with consistent bands or a clean error, and the
// target bitmap untouched on error; a BMP file's colours (an embedded profile) read as well.

#include <cstdint>
#include <cstring>
#include <exception>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/dib_utils.h"
#include "bigbitmap/bitmap.h"
#include "bigbitmap/stream.h"
#include "input/bmp_image.h"

using namespace quilmo;

// Inputs are a few KiB, but RLE codes in them can describe far bigger pictures. Keep pictures
// small so that the fuzzer spends its time on decoding rather than on walking rows.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetDIBSizeLimit(16 << 10);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The standard bitmap has no width limit of its own; it must fail as cleanly.
    try {
        TBitmap standard;
        TReadOnlyMemoryStream stream(data, size);
        standard.LoadFromStream(stream);
    } catch (const std::exception&) {
    }

    TBmpImage bitmap;
    bitmap.SetBitmaps(3, 2, bbpf24bit);
    TReadOnlyMemoryStream stream(data, size);
    try {
        bitmap.LoadFromStream(stream);
    } catch (const std::exception&) {
        if (bitmap.GetWidth() != 3 || bitmap.GetHeight() != 2) __builtin_trap();
        return 0;
    }
    // Touch every row so that the sanitizers see any band shorter than it claims.
    const int64_t stride = DIBStride(TBigBitmap::GetPixelBits(bitmap.PixelFormat()), bitmap.GetWidth());
    static volatile uint8_t sink;
    for (int32_t r = 0; r < bitmap.GetHeight(); ++r) {
        const uint8_t* row = bitmap.GetScanline(r);
        sink = row[0] ^ row[stride - 1];
    }
    TMemoryStream out;
    bitmap.SaveToStream(out);
    return 0;
}
