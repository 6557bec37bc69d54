// Cubic enlargement (bicubic or Lagrange), SSE2 path: positions and weights in doubles; per
// pixel the 16 products of row and column weights are formed in pairs and every tap's pixel
// is added to the channel sums in pairs of doubles (blue with green, red of two taps). With
// AVX2 the same sums are kept in one register, in the same order: blue, green, the red of the
// even taps and the red of the odd taps.

#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2

#include <algorithm>

#include "resample/axis_taps.h"
#include "resample/double_rows.h"
#include "resample/sse2_pixels.h"

#if QUILMO_HAVE_AVX2
#include <immintrin.h>
#endif

namespace quilmo {

namespace {

struct TCubicColumn {
    __m128d Weights[2];  // (w-1, w0), (w+1, w+2)
    int32_t Index[4];    // source pixels
};

// A column for the AVX2 row: tap k's weight in the lanes it adds to. An even tap adds to blue,
// green and the even red, with the next (odd) tap's red beside it; an odd tap adds to blue and
// green only.
struct alignas(32) TCubicColumnAVX2 {
    double Weights[4][4];
    int32_t Index[4];
};

TCubicColumnAVX2 ColumnAVX2(const TCubicTaps& tap)
{
    TCubicColumnAVX2 column{};
    for (int k = 0; k < 4; k += 2) {
        const double even = tap.W[k], odd = tap.W[k + 1];
        double* evenLanes = column.Weights[k];
        double* oddLanes = column.Weights[k + 1];
        evenLanes[0] = evenLanes[1] = evenLanes[2] = even;
        evenLanes[3] = odd;
        oddLanes[0] = oddLanes[1] = odd;
    }
    std::copy_n(tap.Index, 4, column.Index);
    return column;
}

#if QUILMO_HAVE_AVX2
__attribute__((target("avx2"))) void ComputeRowAVX2(const TCubicTaps& row,
                                                    const std::vector<TCubicColumnAVX2>& columns,
                                                    uint8_t* out, TDoubleRowCache& cache)
{
    const TQuad* lines[4];
    for (int j = 0; j < 4; ++j) lines[j] = cache.Row(row.Index[j]).data();
    for (const TCubicColumnAVX2& column : columns) {
        const int32_t* c = column.Index;
        __m256d sums = _mm256_setzero_pd();
        for (int j = 0; j < 4; ++j) {
            const __m256d wy = _mm256_set1_pd(row.W[j]);
            const TQuad* line = lines[j];
            for (int k = 0; k < 4; k += 2) {
                const __m256d odd = _mm256_load_pd(line[c[k + 1]].Channel);
                // Blue, green and red of the even tap, red of the odd one.
                const __m256d even = _mm256_blend_pd(_mm256_load_pd(line[c[k]].Channel),
                                                     _mm256_broadcast_sd(&line[c[k + 1]].Channel[2]), 0x8);
                const __m256d evenWeights = _mm256_mul_pd(_mm256_load_pd(column.Weights[k]), wy);
                const __m256d oddWeights = _mm256_mul_pd(_mm256_load_pd(column.Weights[k + 1]), wy);
                sums = _mm256_add_pd(sums, _mm256_mul_pd(even, evenWeights));
                sums = _mm256_add_pd(sums, _mm256_mul_pd(odd, oddWeights));
            }
        }
        const __m128d reds = _mm256_extractf128_pd(sums, 1);
        StorePixel(out, _mm256_castpd256_pd128(sums), _mm_add_sd(reds, _mm_unpackhi_pd(reds, reds)));
        out += 3;
    }
}
#endif

class TCubicSSE2 final : public TRowResampler {
public:
    TCubicSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TCubicKernel kernel,
               TVectorSums sums)
        : FSource(source),
          FRows(CubicAxis<double>(source.Height, newHeight, 1, kernel, kMinusSixth))
    {
        for (const TCubicTaps& tap :
             CubicAxis<double>(source.Width, newWidth, 1, kernel, kMinusSixth)) {
            if (sums == TVectorSums::AVX2)
                FColumnsAVX2.push_back(ColumnAVX2(tap));
            else
                FColumns.push_back({{_mm_set_pd(tap.W[1], tap.W[0]), _mm_set_pd(tap.W[3], tap.W[2])},
                                    {tap.Index[0], tap.Index[1], tap.Index[2], tap.Index[3]}});
        }
    }

    std::unique_ptr<TRowWork> NewWork() const override
    {
        // The four rows of this destination row and the four of the next.
        return std::make_unique<TDoubleRowCache>(FSource, 8);
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork* work) const override
    {
        auto& cache = static_cast<TDoubleRowCache&>(*work);
        const TCubicTaps& row = FRows[y];
#if QUILMO_HAVE_AVX2
        if (!FColumnsAVX2.empty()) return ComputeRowAVX2(row, FColumnsAVX2, out, cache);
#endif
        const TDoubleRow* lines[4];
        __m128d wy[4];
        for (int j = 0; j < 4; ++j) {
            lines[j] = &cache.Row(row.Index[j]);
            wy[j] = _mm_set1_pd(row.W[j]);
        }
        for (const TCubicColumn& column : FColumns) {
            const int32_t* c = column.Index;
            __m128d blueGreen = _mm_setzero_pd();
            __m128d reds = _mm_setzero_pd();
            for (int j = 0; j < 4; ++j) {
                const __m128d w01 = _mm_mul_pd(column.Weights[0], wy[j]);
                const __m128d w23 = _mm_mul_pd(column.Weights[1], wy[j]);
                const TQuad* line = lines[j]->data();
                blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(BlueGreen(line[c[0]]), Low(w01)));
                blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(BlueGreen(line[c[1]]), High(w01)));
                blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(BlueGreen(line[c[2]]), Low(w23)));
                blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(BlueGreen(line[c[3]]), High(w23)));
                reds = _mm_add_pd(reds, _mm_mul_pd(Reds(line[c[0]], line[c[1]]), w01));
                reds = _mm_add_pd(reds, _mm_mul_pd(Reds(line[c[2]], line[c[3]]), w23));
            }
            StorePixel(out, blueGreen, _mm_add_sd(reds, _mm_unpackhi_pd(reds, reds)));
            out += 3;
        }
    }

private:
    const TPixelRows& FSource;
    std::vector<TCubicTaps> FRows;
    std::vector<TCubicColumn> FColumns;
    std::vector<TCubicColumnAVX2> FColumnsAVX2;  // instead, where the sums are formed with AVX2
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
