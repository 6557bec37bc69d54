#pragma once
// Source rows converted to doubles for the SSE2 loops, kept by one thread from destination row
// to destination row: an enlargement reads each source row for several destination rows.

#include <emmintrin.h>

#include <cstdint>
#include <vector>

#include "resample/row_resampler.h"

namespace quilmo {

struct TDoubleRow {
    std::vector<__m128d> BlueGreen;  // per pixel
    std::vector<double> Red;         // per pixel
};

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
