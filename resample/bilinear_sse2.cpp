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
    TPixelRead Reads[2];
};

class TBilinearSSE2 final : public TRowResampler {
public:
    TBilinearSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : FSource(source), FRows(LinearAxis<double>(source.Height, newHeight, 1))
    {
        for (const TLinearTaps& tap : LinearAxis<double>(source.Width, newWidth, 3))
            FColumns.push_back({_mm_set_pd(tap.Fraction, tap.Complement),
                                {PixelRead(tap.Index[0], source.Width),
                                 PixelRead(tap.Index[1], source.Width)}});
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork*) const override
    {
        const TLinearTaps& row = FRows[y];
        const uint8_t* upper = FSource.Rows[row.Index[0]];
        const uint8_t* lower = FSource.Rows[row.Index[1]];
        const __m128d gy = _mm_set1_pd(row.Complement);
        const __m128d fy = _mm_set1_pd(row.Fraction);
        for (const TLinearColumn& column : FColumns) {
            const __m128d top = _mm_mul_pd(column.Weights, gy);     // (gy gx, gy fx)
            const __m128d bottom = _mm_mul_pd(column.Weights, fy);  // (fy gx, fy fx)
            const __m128i p00 = PixelInts(upper, column.Reads[0]);
            const __m128i p01 = PixelInts(upper, column.Reads[1]);
            const __m128i p10 = PixelInts(lower, column.Reads[0]);
            const __m128i p11 = PixelInts(lower, column.Reads[1]);
            const __m128d upperBlueGreen = _mm_add_pd(_mm_mul_pd(BlueGreen(p00), Low(top)),
                                                      _mm_mul_pd(BlueGreen(p01), High(top)));
            const __m128d lowerBlueGreen = _mm_add_pd(_mm_mul_pd(BlueGreen(p10), Low(bottom)),
                                                      _mm_mul_pd(BlueGreen(p11), High(bottom)));
            const __m128d upperRed = _mm_add_pd(_mm_mul_pd(RedZero(p00), Low(top)),
                                                _mm_mul_pd(RedZero(p01), High(top)));
            const __m128d lowerRed = _mm_add_pd(_mm_mul_pd(RedZero(p10), Low(bottom)),
                                                _mm_mul_pd(RedZero(p11), High(bottom)));
            StorePixel(out, _mm_add_pd(upperBlueGreen, lowerBlueGreen),
                       _mm_add_pd(upperRed, lowerRed));
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
