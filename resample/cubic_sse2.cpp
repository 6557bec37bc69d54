// Cubic enlargement (bicubic or Lagrange), SSE2 path: positions and weights in doubles, the
// 4 x 4 taps taken in two passes. For a destination row, every source column is first summed
// over the row's four source rows (in tap order, each channel a double); the destination pixels
// are then summed over their four columns of that row. With SSE2 a pixel's channels are held as
// (blue, green) and (red, 0); with AVX2 as one register of four, each channel summed in the same
// order, so both give the same bytes.

#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2

#include <cstring>

#include "resample/axis_taps.h"
#include "resample/double_rows.h"
#include "resample/sse2_pixels.h"

#if QUILMO_HAVE_AVX2
#include <immintrin.h>
#endif

namespace quilmo {

namespace {

// A thread's source rows in doubles and the row summed over them.
struct TCubicWork final : TRowWork {
    TCubicWork(const TPixelRows& source) : Rows(source, 8), Columns(static_cast<size_t>(source.Width)) {}
    TDoubleRowCache Rows;  // the four rows of this destination row and the four of the next
    TDoubleRow Columns;
};

void SumRowsSSE2(const TQuad* const (&lines)[4], const TCubicTaps& row, TDoubleRow& columns)
{
    __m128d wy[4];
    for (int j = 0; j < 4; ++j) wy[j] = _mm_set1_pd(row.W[j]);
    for (size_t x = 0; x < columns.size(); ++x) {
        __m128d blueGreen = _mm_setzero_pd(), red = _mm_setzero_pd();
        for (int j = 0; j < 4; ++j) {
            blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(_mm_load_pd(lines[j][x].Channel), wy[j]));
            red = _mm_add_pd(red, _mm_mul_pd(_mm_load_pd(lines[j][x].Channel + 2), wy[j]));
        }
        _mm_store_pd(columns[x].Channel, blueGreen);
        _mm_store_pd(columns[x].Channel + 2, red);
    }
}

void SumColumnsSSE2(const TDoubleRow& columns, const std::vector<TCubicTaps>& taps, uint8_t* out)
{
    for (const TCubicTaps& tap : taps) {
        __m128d blueGreen = _mm_setzero_pd(), red = _mm_setzero_pd();
        for (int k = 0; k < 4; ++k) {
            const __m128d w = _mm_set1_pd(tap.W[k]);
            const double* pixel = columns[tap.Index[k]].Channel;
            blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(_mm_load_pd(pixel), w));
            red = _mm_add_pd(red, _mm_mul_pd(_mm_load_pd(pixel + 2), w));
        }
        StorePixel(out, blueGreen, red);
        out += 3;
    }
}

#if QUILMO_HAVE_AVX2
__attribute__((target("avx2"))) void SumRowsAVX2(const TQuad* const (&lines)[4], const TCubicTaps& row,
                                                 TDoubleRow& columns)
{
    __m256d wy[4];
    for (int j = 0; j < 4; ++j) wy[j] = _mm256_set1_pd(row.W[j]);
    for (size_t x = 0; x < columns.size(); ++x) {
        __m256d sums = _mm256_setzero_pd();
        for (int j = 0; j < 4; ++j)
            sums = _mm256_add_pd(sums, _mm256_mul_pd(_mm256_load_pd(lines[j][x].Channel), wy[j]));
        _mm256_store_pd(columns[x].Channel, sums);
    }
}

// Four pixels' sums (blue, green, red, 0 each) as their twelve bytes, limited and rounded as
// StorePixel does.
__attribute__((target("avx2"), always_inline)) inline void StoreFourPixels(uint8_t* out, const __m256d (&sums)[4])
{
    const __m256d zero = _mm256_setzero_pd();
    const __m256d top = _mm256_set1_pd(255);
    __m128i ints[4];
    for (int p = 0; p < 4; ++p) ints[p] = _mm256_cvtpd_epi32(_mm256_min_pd(_mm256_max_pd(sums[p], zero), top));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(ints[0], ints[1]), _mm_packs_epi32(ints[2], ints[3]));
    const __m128i packed = _mm_shuffle_epi8(bytes, _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
    const auto last = static_cast<uint32_t>(_mm_extract_epi32(packed, 2));
    std::memcpy(out + 8, &last, sizeof last);
}

// N neighbouring pixels at once, so that their chains of additions do not wait on each other.
template <size_t N>
__attribute__((target("avx2"), always_inline)) inline void SumColumnsAVX2(const TQuad* columns,
                                                                          const TCubicTaps* taps, uint8_t* out)
{
    __m256d sums[N];
    for (size_t p = 0; p < N; ++p) sums[p] = _mm256_setzero_pd();
    for (int k = 0; k < 4; ++k)
        for (size_t p = 0; p < N; ++p)
            sums[p] = _mm256_add_pd(sums[p], _mm256_mul_pd(_mm256_load_pd(columns[taps[p].Index[k]].Channel),
                                                           _mm256_broadcast_sd(&taps[p].W[k])));
    if constexpr (N == 4) {
        StoreFourPixels(out, sums);
    } else {
        for (size_t p = 0; p < N; ++p)
            StorePixel(out + 3 * p, _mm256_castpd256_pd128(sums[p]), _mm256_extractf128_pd(sums[p], 1));
    }
}

__attribute__((target("avx2"))) void SumColumnsAVX2(const TDoubleRow& columns,
                                                    const std::vector<TCubicTaps>& taps, uint8_t* out)
{
    constexpr size_t kTogether = 4;
    size_t x = 0;
    for (; x + kTogether <= taps.size(); x += kTogether)
        SumColumnsAVX2<kTogether>(columns.data(), &taps[x], out + 3 * x);
    for (; x < taps.size(); ++x) SumColumnsAVX2<1>(columns.data(), &taps[x], out + 3 * x);
}
#endif

class TCubicSSE2 final : public TRowResampler {
public:
    TCubicSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TCubicKernel kernel,
               TVectorSums sums)
        : FSource(source),
          FRows(CubicAxis<double>(source.Height, newHeight, 1, kernel, kMinusSixth)),
          FColumns(CubicAxis<double>(source.Width, newWidth, 1, kernel, kMinusSixth)),
          FSums(sums)
    {
    }

    std::unique_ptr<TRowWork> NewWork() const override { return std::make_unique<TCubicWork>(FSource); }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork* work) const override
    {
        auto& cubic = static_cast<TCubicWork&>(*work);
        const TCubicTaps& row = FRows[y];
        const TQuad* lines[4];
        for (int j = 0; j < 4; ++j) lines[j] = cubic.Rows.Row(row.Index[j]).data();
#if QUILMO_HAVE_AVX2
        if (FSums == TVectorSums::AVX2) {
            SumRowsAVX2(lines, row, cubic.Columns);
            return SumColumnsAVX2(cubic.Columns, FColumns, out);
        }
#endif
        SumRowsSSE2(lines, row, cubic.Columns);
        SumColumnsSSE2(cubic.Columns, FColumns, out);
    }

private:
    const TPixelRows& FSource;
    std::vector<TCubicTaps> FRows;
    std::vector<TCubicTaps> FColumns;
    TVectorSums FSums;
};

}  // namespace

TResamplerMaker CubicSSE2Maker(TCubicKernel kernel, TVectorSums sums)
{
    return [kernel, sums](const TPixelRows& source, int32_t newWidth, int32_t newHeight) {
        return std::make_unique<TCubicSSE2>(source, newWidth, newHeight, kernel, sums);
    };
}

}  // namespace quilmo

#endif
