// Lanczos-3 enlargement, one path for both settings of the SSE2 switch. Positions and weights
// are singles; every destination pixel normalises its 36 weight products by their total, and
// each source row's six terms are added to the channel sum in extended precision, the sum
// being kept as a single.

#include <array>

#include "resample/axis_taps.h"
#include "resample/resamplers.h"

namespace quilmo {

namespace {

struct TLanczosTaps {
    int32_t Index[6];  // offsets -2 .. +3
    float W[6];
};

std::vector<TLanczosTaps> LanczosAxis(int32_t source, int32_t dest, int32_t scale)
{
    const auto ratio = static_cast<float>(static_cast<long double>(source) / dest);
    std::vector<TLanczosTaps> taps(static_cast<size_t>(dest));
    for (int32_t d = 0; d < dest; ++d) {
        const auto position = static_cast<float>(static_cast<long double>(d) * ratio);
        const auto base = static_cast<int32_t>(position);
        const float t = position - static_cast<float>(base);
        const float distances[6] = {t + 2, t + 1, t, 1 - t, 2 - t, 3 - t};
        TLanczosTaps& tap = taps[d];
        for (int k = 0; k < 6; ++k) {
            tap.Index[k] = EdgeTap(base, k - 2, source) * scale;
            tap.W[k] = LanczosWeight(distances[k]);
        }
    }
    return taps;
}

class TLanczos final : public TRowResampler {
public:
    TLanczos(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : FSource(source),
          FColumns(LanczosAxis(source.Width, newWidth, 3)),
          FRows(LanczosAxis(source.Height, newHeight, 1))
    {
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork*) const override
    {
        const TLanczosTaps& row = FRows[y];
        const uint8_t* lines[6];
        for (int j = 0; j < 6; ++j) lines[j] = FSource.Rows[row.Index[j]];
        for (const TLanczosTaps& column : FColumns) {
            const std::array<float, 36> q = NormalisedProducts(row, column);
            float sum[3] = {0, 0, 0};
            for (int j = 0; j < 6; ++j) {
                const float* qj = &q[6 * j];
                const uint8_t* line = lines[j];
                for (int c = 0; c < 3; ++c) {
                    long double s = sum[c];
                    for (int k = 0; k < 6; ++k)
                        s += line[column.Index[k] + c] * static_cast<long double>(qj[k]);
                    sum[c] = static_cast<float>(s);
                }
            }
            for (int c = 0; c < 3; ++c) *out++ = ClampByte(sum[c]);
        }
    }

private:
    // wx_k * wy_j divided by the total of all 36, the total added up row by row.
    static std::array<float, 36> NormalisedProducts(const TLanczosTaps& row,
                                                    const TLanczosTaps& column)
    {
        std::array<float, 36> q;
        float total = 0;
        for (int j = 0; j < 6; ++j) {
            for (int k = 0; k < 6; ++k) {
                q[6 * j + k] = column.W[k] * row.W[j];
                total += q[6 * j + k];
            }
        }
        for (float& v : q) v /= total;
        return q;
    }

    const TPixelRows& FSource;
    std::vector<TLanczosTaps> FColumns;
    std::vector<TLanczosTaps> FRows;
};

}  // namespace

std::unique_ptr<TRowResampler> NewLanczos(const TPixelRows& source, int32_t newWidth,
                                          int32_t newHeight)
{
    return std::make_unique<TLanczos>(source, newWidth, newHeight);
}

}  // namespace quilmo
