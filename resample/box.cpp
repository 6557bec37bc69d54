// Box-average reduction, plain path: weights, bounds and channel sums are doubles computed in
// extended precision; the sum times inv (a single) goes to ClampByte.

#include "resample/axis_taps.h"
#include "resample/box_axis.h"
#include "resample/resamplers.h"

#include <cmath>

namespace quilmo {

namespace {

TBoxAxis PlainBoxAxis(int32_t source, int32_t dest, int32_t scale, double ratio)
{
    return BuildBoxAxis<long double>(source, dest, scale, [ratio](int32_t d) {
        return TBoxBounds{static_cast<double>(static_cast<long double>(d) * ratio),
                          static_cast<double>(static_cast<long double>(d + 1) * ratio -
                                              kBoxEndMargin)};
    });
}

class TBoxAverage final : public TRowResampler {
public:
    TBoxAverage(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : FSource(source)
    {
        const double xr = AxisRatio<long double>(source.Width, newWidth);
        const double yr = AxisRatio<long double>(source.Height, newHeight);
        FColumns = PlainBoxAxis(source.Width, newWidth, 3, xr);
        FSourcePixelsPerPixel = static_cast<int64_t>(std::ceil(xr) * std::ceil(yr));
        FRows = PlainBoxAxis(source.Height, newHeight, 1, yr);
        FInv = static_cast<float>(1.0L / (static_cast<long double>(xr) * yr));
    }

    int64_t SourcePixelsPerPixel() const override { return FSourcePixelsPerPixel; }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork*) const override
    {
        const TBoxSpan& rows = FRows.Spans[y];
        const double* rowWeights = &FRows.Weights[rows.Weight];
        const long double inv = FInv;
        for (const TBoxSpan& columns : FColumns.Spans) {
            const double* columnWeights = &FColumns.Weights[columns.Weight];
            double sum[3] = {0, 0, 0};
            for (int32_t i = 0; i < rows.Count; ++i) {
                const long double wy = rowWeights[i];
                const uint8_t* pixel = FSource.Rows[rows.First + i] + columns.First;
                for (int32_t k = 0; k < columns.Count; ++k, pixel += 3) {
                    const long double w = columnWeights[k] * wy;
                    for (int c = 0; c < 3; ++c) sum[c] = static_cast<double>(sum[c] + w * pixel[c]);
                }
            }
            for (int c = 0; c < 3; ++c) *out++ = ClampByte(sum[c] * inv);
        }
    }

private:
    const TPixelRows& FSource;
    TBoxAxis FColumns;
    TBoxAxis FRows;
    int64_t FSourcePixelsPerPixel = 1;
    float FInv = 0;
};

}  // namespace

std::unique_ptr<TRowResampler> NewBoxAverage(const TPixelRows& source, int32_t newWidth,
                                             int32_t newHeight)
{
    return std::make_unique<TBoxAverage>(source, newWidth, newHeight);
}

}  // namespace quilmo
