// Box-average reduction, SSE2 path: bounds, weights and sums in doubles, box ends computed as
// lo - 0.000001 + ratio, and inv from the processor's reciprocal estimate refined by one
// Newton-Raphson step.

#include "resample/resamplers.h"

#include <cmath>

#if QUILMO_HAVE_SSE2

#include <xmmintrin.h>

#include "resample/box_axis.h"
#include "resample/sse2_pixels.h"

namespace quilmo {

namespace {

TBoxAxis PackedBoxAxis(int32_t source, int32_t dest, int32_t scale, double ratio)
{
    return BuildBoxAxis<double>(source, dest, scale, [ratio](int32_t d) {
        const double lo = d * ratio;
        return TBoxBounds{lo, lo - kBoxEndMargin + ratio};
    });
}

// 1 / (xr * yr): the single-precision estimate, then x1 = 2 x0 - p x0^2.
double ReciprocalArea(double xr, double yr)
{
    const __m128 p = _mm_set_ss(static_cast<float>(xr * yr));
    const __m128 x0 = _mm_rcp_ss(p);
    const __m128 x1 = _mm_sub_ss(_mm_add_ss(x0, x0), _mm_mul_ss(p, _mm_mul_ss(x0, x0)));
    return _mm_cvtss_f32(x1);
}

class TBoxAverageSSE2 final : public TRowResampler {
public:
    TBoxAverageSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : FSource(source)
    {
        const double xr = static_cast<double>(source.Width) / newWidth;
        const double yr = static_cast<double>(source.Height) / newHeight;
        FColumns = PackedBoxAxis(source.Width, newWidth, 3, xr);
        FSourcePixelsPerPixel = static_cast<int64_t>(std::ceil(xr) * std::ceil(yr));
        FRows = PackedBoxAxis(source.Height, newHeight, 1, yr);
        FInv = _mm_set1_pd(ReciprocalArea(xr, yr));
    }

    int64_t SourcePixelsPerPixel() const override { return FSourcePixelsPerPixel; }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork*) const override
    {
        const TBoxSpan& rows = FRows.Spans[y];
        const double* rowWeights = &FRows.Weights[rows.Weight];
        for (const TBoxSpan& columns : FColumns.Spans) {
            const double* columnWeights = &FColumns.Weights[columns.Weight];
            __m128d blueGreen = _mm_setzero_pd();
            __m128d red = _mm_setzero_pd();
            for (int32_t i = 0; i < rows.Count; ++i) {
                const __m128d wy = _mm_set1_pd(rowWeights[i]);
                const uint8_t* line = FSource.Rows[rows.First + i];
                for (int32_t k = 0; k < columns.Count; ++k) {
                    const __m128i pixel =
                        PixelInts(line, PixelRead(columns.First + 3 * k, FSource.Width));
                    const __m128d w = _mm_mul_pd(_mm_set1_pd(columnWeights[k]), wy);
                    blueGreen = _mm_add_pd(blueGreen, _mm_mul_pd(BlueGreen(pixel), w));
                    red = _mm_add_pd(red, _mm_mul_pd(RedZero(pixel), w));
                }
            }
            StorePixel(out, _mm_mul_pd(blueGreen, FInv), _mm_mul_pd(red, FInv));
            out += 3;
        }
    }

private:
    const TPixelRows& FSource;
    TBoxAxis FColumns;
    TBoxAxis FRows;
    int64_t FSourcePixelsPerPixel = 1;
    __m128d FInv;
};

}  // namespace

std::unique_ptr<TRowResampler> NewBoxAverageSSE2(const TPixelRows& source, int32_t newWidth,
                                                 int32_t newHeight)
{
    return std::make_unique<TBoxAverageSSE2>(source, newWidth, newHeight);
}

}  // namespace quilmo

#endif
