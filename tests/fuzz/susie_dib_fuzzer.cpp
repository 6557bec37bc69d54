// Any bytes as the two blocks a plug-in returns (a 32-bit info block size, the info block, the
// bits block): either a picture whose every row can be read, or a refusal that leaves the
// target bitmap as it was; and the profile of the info block, read within it.

#include <cstdint>
#include <vector>

#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/pixel_limit.h"
#include "input/susie_dib.h"

using namespace quilmo;

namespace {

uint32_t LE32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

}  // namespace

// A few bytes of RLE codes can stand for a picture of a gigabyte; such inputs would only measure
// the allocator, so pictures of more than 16 M pixels are refused.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMaxPicturePixels(int64_t{16} << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) return 0;
    const uint32_t claimed = LE32(data);
    const size_t infoSize = claimed < size - 4 ? claimed : size - 4;
    // Separate heap blocks of exactly these sizes, so that a read past either is caught.
    const std::vector<uint8_t> info(data + 4, data + 4 + infoSize);
    const std::vector<uint8_t> bits(data + 4 + infoSize, data + size);

    static volatile bool profiled;
    profiled = !SusieBlockProfile(info.data(), info.size()).IsSRGB();

    TBitmap bitmap;
    bitmap.Allocate(3, 2, pf8bit);
    int32_t code;
    try {
        code = SusieBlocksToBitmap(info.data(), info.size(), bits.data(), bits.size(), bitmap);
    } catch (const EInvalidGraphic&) {
        code = kSusieCannotTransfer;
    }
    if (code != 0) {
        if (code != kSusieDataBroken && code != kSusieCannotTransfer) __builtin_trap();
        if (bitmap.GetWidth() != 3 || bitmap.GetHeight() != 2 || bitmap.PixelFormat() != pf8bit) __builtin_trap();
        return 0;
    }
    uint8_t sum = 0;
    for (int32_t r = 0; r < bitmap.GetHeight(); ++r) {
        const uint8_t* row = bitmap.ScanLine(r);
        sum ^= row[0] ^ row[bitmap.Stride() - 1];
    }
    return sum == 0xFF ? 0 : 0;
}
