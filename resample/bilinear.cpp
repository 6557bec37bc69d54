// Bilinear enlargement, plain path: the two horizontal sums are kept as doubles, the vertical
// blend goes to ClampByte in extended precision.

#include "resample/axis_taps.h"
#include "resample/resamplers.h"

namespace quilmo {

namespace {

class TBilinear final : public TRowResampler {
public:
    TBilinear(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : FSource(source),
          FColumns(LinearAxis<long double>(source.Width, newWidth, 3)),
          FRows(LinearAxis<long double>(source.Height, newHeight, 1))
    {
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork*) const override
    {
        const TLinearTaps& row = FRows[y];
        const uint8_t* upper = FSource.Rows[row.Index[0]];
        const uint8_t* lower = FSource.Rows[row.Index[1]];
        const long double fy = row.Fraction;
        const long double gy = row.Complement;
        for (const TLinearTaps& column : FColumns) {
            const long double fx = column.Fraction;
            const long double gx = column.Complement;
            const int32_t c0 = column.Index[0];
            const int32_t c1 = column.Index[1];
            for (int channel = 0; channel < 3; ++channel) {
                const auto top = static_cast<double>(upper[c0 + channel] * gx +
                                                     upper[c1 + channel] * fx);
                const auto bottom = static_cast<double>(lower[c0 + channel] * gx +
                                                        lower[c1 + channel] * fx);
                *out++ = ClampByte(top * gy + bottom * fy);
            }
        }
    }

private:
    const TPixelRows& FSource;
    std::vector<TLinearTaps> FColumns;
    std::vector<TLinearTaps> FRows;
};

}  // namespace

std::unique_ptr<TRowResampler> NewBilinear(const TPixelRows& source, int32_t newWidth,
                                           int32_t newHeight)
{
    return std::make_unique<TBilinear>(source, newWidth, newHeight);
}

}  // namespace quilmo
