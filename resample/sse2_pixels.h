#pragma once
// Pixels in and out of SSE2 registers: the three channels of a pixel as two pairs of doubles,
// (blue, green) and (red, 0), and back to bytes.

#include <emmintrin.h>

#include <cstdint>

namespace quilmo {

struct TPixelPairs {
    __m128d BlueGreen;
    __m128d Red;
};

// Reads exactly the three bytes of the pixel: the last pixel of a picture may end its memory.
inline TPixelPairs LoadPixel(const uint8_t* p)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(p[0] | p[1] << 8 | p[2] << 16);
    const __m128i ints = _mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero);
    return {_mm_cvtepi32_pd(ints), _mm_cvtepi32_pd(_mm_srli_si128(ints, 8))};
}

// sum += pixel * weight, the weight in both halves of w.
inline void Accumulate(TPixelPairs& sum, const TPixelPairs& pixel, __m128d w)
{
    sum.BlueGreen = _mm_add_pd(sum.BlueGreen, _mm_mul_pd(pixel.BlueGreen, w));
    sum.Red = _mm_add_pd(sum.Red, _mm_mul_pd(pixel.Red, w));
}

// Each channel limited to 0..255 (not-a-number gives 0) and rounded half to even by the
// processor's default rounding: ClampByte for a double.
inline void StorePixel(uint8_t* out, const TPixelPairs& sum)
{
    const __m128d zero = _mm_setzero_pd();
    const __m128d top = _mm_set1_pd(255);
    const __m128i blueGreen = _mm_cvtpd_epi32(_mm_min_pd(_mm_max_pd(sum.BlueGreen, zero), top));
    const __m128i red = _mm_cvtpd_epi32(_mm_min_pd(_mm_max_pd(sum.Red, zero), top));
    const __m128i words = _mm_packs_epi32(_mm_unpacklo_epi64(blueGreen, red), red);
    const auto packed = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    out[0] = static_cast<uint8_t>(packed);
    out[1] = static_cast<uint8_t>(packed >> 8);
    out[2] = static_cast<uint8_t>(packed >> 16);
}

}  // namespace quilmo
