// Bilinear enlargement, SSE2 path: the four weight products of a pixel are formed as one pair
// per source row, and the four pixel terms of each channel are added pairwise in doubles.

#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2

#include "resample/axis_taps.h"
#include "resample/sse2_pixels.h"

namespace quilmo {

namespace {

struct TLinearColumn {
    __m128d Weights;  // (gx, fx)
    int32_t Index[2];
};

class TBilinearSSE2 final : public TRowResampler {
public:
    TBilinearSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : FSource(source), FRows(LinearAxis<double>(source.Height, newHeight, 1))
    {
        for (const TLinearTaps& tap : LinearAxis<double>(source.Width, newWidth, 3))
            FColumns.push_back({_mm_set_pd(tap.Fraction, tap.Complement),
                                {tap.Index[0], tap.Index[1]}});
    }

    void ComputeRow(int32_t y, uint8_t* out) const override
    {
        const TLinearTaps& row = FRows[y];
        const uint8_t* upper = FSource.Rows[row.Index[0]];
        const uint8_t* lower = FSource.Rows[row.Index[1]];
        const __m128d gy = _mm_set1_pd(row.Complement);
        const __m128d fy = _mm_set1_pd(row.Fraction);
        for (const TLinearColumn& column : FColumns) {
            const __m128d top = _mm_mul_pd(column.Weights, gy);
            const __m128d bottom = _mm_mul_pd(column.Weights, fy);
            TPixelPairs left{_mm_setzero_pd(), _mm_setzero_pd()};
            TPixelPairs right = left;
            Accumulate(left, LoadPixel(upper + column.Index[0]), _mm_unpacklo_pd(top, top));
            Accumulate(left, LoadPixel(upper + column.Index[1]), _mm_unpackhi_pd(top, top));
            Accumulate(right, LoadPixel(lower + column.Index[0]),
                       _mm_unpacklo_pd(bottom, bottom));
            Accumulate(right, LoadPixel(lower + column.Index[1]),
                       _mm_unpackhi_pd(bottom, bottom));
            StorePixel(out, {_mm_add_pd(left.BlueGreen, right.BlueGreen),
                             _mm_add_pd(left.Red, right.Red)});
            out += 3;
        }
    }

private:
    const TPixelRows& FSource;
    std::vector<TLinearColumn> FColumns;
    std::vector<TLinearTaps> FRows;
};

}  // namespace

std::unique_ptr<TRowResampler> NewBilinearSSE2(const TPixelRows& source, int32_t newWidth,
                                               int32_t newHeight)
{
    return std::make_unique<TBilinearSSE2>(source, newWidth, newHeight);
}

}  // namespace quilmo

#endif
