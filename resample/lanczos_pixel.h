#pragma once
// A Lanczos destination pixel computed step by step as defined: the 36 weight products
// normalised by their total in singles, each source row's six terms added to the channel sum
// in extended precision, the sum kept as a single. Slow; the resampler only falls back to it
// for the channels whose byte its faster estimate cannot tell.

#include <cstdint>

#include "resample/lanczos_taps.h"

namespace quilmo {

// Q[j][k] = wx_k * wy_j / T, singles, for source row j and source column k.
struct TLanczosProducts {
    float Q[kLanczosTaps][kLanczosTaps];
};

TLanczosProducts NormalisedProducts(const TLanczosTaps& column, const TLanczosTaps& row);

// Channel 0 (blue), 1 (green) or 2 (red) of the pixel; rows are the source rows of the
// destination row's taps, in order.
uint8_t DefinedLanczosChannel(const TLanczosProducts& products, const TLanczosTaps& column,
                              const uint8_t* const rows[kLanczosTaps], int channel);

}  // namespace quilmo
