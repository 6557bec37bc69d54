// Cubic enlargement (bicubic or Lagrange), SSE2 path: positions and weights in doubles; per
// pixel the 16 products of row and column weights are formed in pairs and every tap's pixel
// is added to the channel sums in pairs of doubles.

#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2

#include "resample/axis_taps.h"
#include "resample/sse2_pixels.h"

namespace quilmo {

namespace {

struct TCubicColumn {
    __m128d Weights[2];  // (w-1, w0), (w+1, w+2)
    int32_t Index[4];
};

class TCubicSSE2 final : public TRowResampler {
public:
    TCubicSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TCubicKernel kernel)
        : FSource(source), FRows(CubicAxis<double>(source.Height, newHeight, 1, kernel, kMinusSixth))
    {
        for (const TCubicTaps& tap : CubicAxis<double>(source.Width, newWidth, 3, kernel, kMinusSixth))
            FColumns.push_back({{_mm_set_pd(tap.W[1], tap.W[0]), _mm_set_pd(tap.W[3], tap.W[2])},
                                {tap.Index[0], tap.Index[1], tap.Index[2], tap.Index[3]}});
    }

    void ComputeRow(int32_t y, uint8_t* out) const override
    {
        const TCubicTaps& row = FRows[y];
        const uint8_t* lines[4];
        for (int j = 0; j < 4; ++j) lines[j] = FSource.Rows[row.Index[j]];
        for (const TCubicColumn& column : FColumns) {
            TPixelPairs sum{_mm_setzero_pd(), _mm_setzero_pd()};
            for (int j = 0; j < 4; ++j) {
                const __m128d wy = _mm_set1_pd(row.W[j]);
                const __m128d w01 = _mm_mul_pd(column.Weights[0], wy);
                const __m128d w23 = _mm_mul_pd(column.Weights[1], wy);
                const uint8_t* line = lines[j];
                Accumulate(sum, LoadPixel(line + column.Index[0]), _mm_unpacklo_pd(w01, w01));
                Accumulate(sum, LoadPixel(line + column.Index[1]), _mm_unpackhi_pd(w01, w01));
                Accumulate(sum, LoadPixel(line + column.Index[2]), _mm_unpacklo_pd(w23, w23));
                Accumulate(sum, LoadPixel(line + column.Index[3]), _mm_unpackhi_pd(w23, w23));
            }
            StorePixel(out, sum);
            out += 3;
        }
    }

private:
    const TPixelRows& FSource;
    std::vector<TCubicTaps> FRows;
    std::vector<TCubicColumn> FColumns;
};

}  // namespace

TResamplerMaker CubicSSE2Maker(TCubicKernel kernel)
{
    return [kernel](const TPixelRows& source, int32_t newWidth, int32_t newHeight) {
        return std::make_unique<TCubicSSE2>(source, newWidth, newHeight, kernel);
    };
}

}  // namespace quilmo

#endif
