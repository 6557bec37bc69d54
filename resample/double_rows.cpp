#include "resample/double_rows.h"

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
    for (int32_t x = 0; x < FSource.Width; ++x, line += 3)
        pixels[x] = {{static_cast<double>(line[0]), static_cast<double>(line[1]),
                      static_cast<double>(line[2]), 0}};
    oldest->Index = index;
    oldest->LastUse = FClock;
    return pixels;
}

}  // namespace quilmo
