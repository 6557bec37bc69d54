#pragma once
// Source rows converted to doubles for the loops that compute in doubles, kept by one thread
// from destination row to destination row: an enlargement reads each source row for several
// destination rows.

#include <cstdint>
#include <vector>

#include "resample/row_resampler.h"

namespace quilmo {

// One pixel: blue, green, red, 0.
struct alignas(32) TQuad {
    double Channel[4];
};

using TDoubleRow = std::vector<TQuad>;

#if defined(__SSE2__)
}  // namespace quilmo

#include <emmintrin.h>

namespace quilmo {

inline __m128d BlueGreen(const TQuad& pixel) { return _mm_load_pd(pixel.Channel); }
// The reds of two pixels.
inline __m128d Reds(const TQuad& a, const TQuad& b)
{
    return _mm_loadh_pd(_mm_load_sd(&a.Channel[2]), &b.Channel[2]);
}
#endif

class TDoubleRowCache final : public TRowWork {
public:
    // Holds up to slots rows; a destination row must not need more.
    TDoubleRowCache(const TPixelRows& source, int slots);

    // Source row index as doubles; valid until slots other rows have been asked for.
    const TDoubleRow& Row(int32_t index);

private:
    struct TSlot {
        int32_t Index = -1;
        uint64_t LastUse = 0;
        TDoubleRow Pixels;
    };

    const TPixelRows& FSource;
    std::vector<TSlot> FSlots;
    uint64_t FClock = 0;
};

}  // namespace quilmo
