#pragma once
// Pixels in and out of SSE2 registers: the three channels of a pixel as doubles, (blue, green)
// and (red, 0), and back to bytes.

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace quilmo {

// How a pixel at a byte offset of a row is read as four bytes: the last pixel of a row is read
// together with the byte before it (and shifted down), since the row may end its memory.
struct TPixelRead {
    int32_t Offset;
    int32_t Shift;
};

inline TPixelRead PixelRead(int32_t offset, int32_t rowWidth)
{
    if (rowWidth > 1 && offset == (rowWidth - 1) * 3) return {offset - 1, 8};
    return {offset, 0};
}

// The channels of the pixel as 32-bit integers: blue, green, red, 0.
inline __m128i PixelInts(const uint8_t* row, TPixelRead read)
{
    uint32_t bytes;
    std::memcpy(&bytes, row + read.Offset, sizeof bytes);
    const __m128i zero = _mm_setzero_si128();
    const __m128i pixel = _mm_cvtsi32_si128(static_cast<int>((bytes >> read.Shift) & 0xFFFFFF));
    return _mm_unpacklo_epi16(_mm_unpacklo_epi8(pixel, zero), zero);
}

inline __m128d BlueGreen(__m128i ints) { return _mm_cvtepi32_pd(ints); }
inline __m128d RedZero(__m128i ints) { return _mm_cvtepi32_pd(_mm_srli_si128(ints, 8)); }

// Both halves of w: its low (0) or high (1) half.
inline __m128d Low(__m128d w) { return _mm_unpacklo_pd(w, w); }
inline __m128d High(__m128d w) { return _mm_unpackhi_pd(w, w); }

// Limited to 0..255 (not-a-number gives 0) and rounded half to even by the processor's
// default rounding: ClampByte for doubles.
inline __m128i ClampedInts(__m128d blueGreen, __m128d red)
{
    const __m128d zero = _mm_setzero_pd();
    const __m128d top = _mm_set1_pd(255);
    const __m128i bg = _mm_cvtpd_epi32(_mm_min_pd(_mm_max_pd(blueGreen, zero), top));
    const __m128i r = _mm_cvtpd_epi32(_mm_min_pd(_mm_max_pd(red, zero), top));
    return _mm_unpacklo_epi64(bg, r);
}

inline void StorePixel(uint8_t* out, __m128d blueGreen, __m128d red)
{
    const __m128i ints = ClampedInts(blueGreen, red);
    const __m128i words = _mm_packs_epi32(ints, ints);
    const auto packed = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    out[0] = static_cast<uint8_t>(packed);
    out[1] = static_cast<uint8_t>(packed >> 8);
    out[2] = static_cast<uint8_t>(packed >> 16);
}

}  // namespace quilmo
