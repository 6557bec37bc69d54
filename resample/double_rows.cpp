#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2

#include "resample/double_rows.h"
#include "resample/sse2_pixels.h"

namespace quilmo {

TDoubleRowCache::TDoubleRowCache(const TPixelRows& source, int slots)
    : FSource(source), FSlots(static_cast<size_t>(slots))
{
}

const TDoubleRow& TDoubleRowCache::Row(int32_t index)
{
    ++FClock;
    TSlot* oldest = &FSlots[0];
    for (TSlot& slot : FSlots) {
        if (slot.Index == index) {
            slot.LastUse = FClock;
            return slot.Pixels;
        }
        if (slot.LastUse < oldest->LastUse) oldest = &slot;
    }
    TDoubleRow& pixels = oldest->Pixels;
    pixels.resize(static_cast<size_t>(FSource.Width));
    const uint8_t* line = FSource.Rows[index];
    for (int32_t x = 0; x < FSource.Width; ++x) {
        const __m128i ints = PixelInts(line, PixelRead(3 * x, FSource.Width));
        _mm_store_pd(pixels[x].Channel, BlueGreen(ints));
        _mm_store_pd(pixels[x].Channel + 2, RedZero(ints));
    }
    oldest->Index = index;
    oldest->LastUse = FClock;
    return pixels;
}

}  // namespace quilmo

#endif
