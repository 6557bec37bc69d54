// Any bytes as a packed DIB from the clipboard.

#include <cstdint>
#include <exception>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/dib_utils.h"

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
    // A block of exactly the fuzzed size, so reads past its end are caught.
    std::vector<uint8_t> block(data, data + size);
    TBigBitmap bitmap;
    try {
        bitmap.LoadFromClipboardFormat(CF_DIB, block.data(), block.size());
    } catch (const std::exception&) {
        if (!bitmap.GetEmpty()) __builtin_trap();
        return 0;
    }
    uint16_t format = 0;
    const std::vector<uint8_t> copy = bitmap.SaveToClipboardFormat(format);
    if (copy.empty() || format != CF_DIB) __builtin_trap();
    return 0;
}
