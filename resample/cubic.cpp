// Cubic enlargement (bicubic or Lagrange), plain path: per source row of the 4 x 4 taps the
// four weight products are kept as doubles and the row's terms are added to the channel sum
// in extended precision, the sum being kept as a double.

#include "resample/axis_taps.h"
#include "resample/resamplers.h"

namespace quilmo {

namespace {

class TCubic final : public TRowResampler {
public:
    TCubic(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TCubicKernel kernel,
           double minusSixth)
        : FSource(source),
          FColumns(CubicAxis<long double>(source.Width, newWidth, 3, kernel, minusSixth)),
          FRows(CubicAxis<long double>(source.Height, newHeight, 1, kernel, minusSixth))
    {
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork*) const override
    {
        const TCubicTaps& row = FRows[y];
        const uint8_t* lines[4];
        for (int j = 0; j < 4; ++j) lines[j] = FSource.Rows[row.Index[j]];
        for (const TCubicTaps& column : FColumns) {
            double sum[3] = {0, 0, 0};
            for (int j = 0; j < 4; ++j) {
                const long double wy = row.W[j];
                long double w[4];
                for (int k = 0; k < 4; ++k) w[k] = static_cast<double>(column.W[k] * wy);
                const uint8_t* p0 = lines[j] + column.Index[0];
                const uint8_t* p1 = lines[j] + column.Index[1];
                const uint8_t* p2 = lines[j] + column.Index[2];
                const uint8_t* p3 = lines[j] + column.Index[3];
                for (int c = 0; c < 3; ++c)
                    sum[c] = static_cast<double>(static_cast<long double>(sum[c]) + p0[c] * w[0] +
                                                 p1[c] * w[1] + p2[c] * w[2] + p3[c] * w[3]);
            }
            for (int c = 0; c < 3; ++c) *out++ = ClampByte(sum[c]);
        }
    }

private:
    const TPixelRows& FSource;
    std::vector<TCubicTaps> FColumns;
    std::vector<TCubicTaps> FRows;
};

}  // namespace

TResamplerMaker CubicMaker(TCubicKernel kernel, double minusSixth)
{
    return [=](const TPixelRows& source, int32_t newWidth, int32_t newHeight) {
        return std::make_unique<TCubic>(source, newWidth, newHeight, kernel, minusSixth);
    };
}

}  // namespace quilmo
