// Any bytes given to one of the shipped format plug-ins through its exported functions, as the
// host would give a picture in memory: a clean refusal, or blocks that the host turns into a
// picture of the size their header gives, with colours it reads within the block.

#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "bigbitmap/bitmap.h"
#include "input/susie_dib.h"
#include "plugins/spi_export.h"

using namespace quilmo;

namespace {

struct TFree {
    void operator()(void* block) const { std::free(block); }
};

uint32_t LE32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

}  // namespace

// libdav1d, below libheif, keeps a few bytes of some broken AV1 streams for good; that leak is
// the library's, not the plug-in's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdav1d.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A few bytes can announce a picture of gigapixels; such inputs would only measure the
    // allocator, so the plug-in refuses more than 4 M pixels.
    static const int32_t limited = QuilmoSetPixelLimit(4 << 20);
    (void)limited;
    if (size == 0 || size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;

    std::array<uint8_t, 2601> start{};
    std::copy_n(data, std::min<size_t>(size, 2600), start.begin());
    IsSupported("fuzz", start.data());

    void* info = nullptr;
    void* bits = nullptr;
    const int32_t code =
        GetPicture(reinterpret_cast<const char*>(data), static_cast<int32_t>(size), 1, &info, &bits, nullptr, 0);
    const std::unique_ptr<void, TFree> infoBlock(info), bitsBlock(bits);
    if (code != 0) {
        if (code != -1 && code != 2 && code != 3 && code != 4) __builtin_trap();
        if (info || bits) __builtin_trap();
        return 0;
    }
    TBitmap bitmap;
    if (SusieBlocksToBitmap(static_cast<const uint8_t*>(info), malloc_usable_size(info),
                            static_cast<const uint8_t*>(bits), malloc_usable_size(bits), bitmap) != 0)
        __builtin_trap();
    const auto* header = static_cast<const uint8_t*>(info);
    if (uint32_t(bitmap.GetWidth()) != LE32(header + 4) || uint32_t(bitmap.GetHeight()) != LE32(header + 8))
        __builtin_trap();
    SusieBlockProfile(header, malloc_usable_size(info));
    return 0;
}
