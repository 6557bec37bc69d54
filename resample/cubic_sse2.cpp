// Cubic enlargement (bicubic or Lagrange), SSE2 path: positions and weights in doubles; per
// pixel the 16 products of row and column weights are formed in pairs and every tap's pixel
// is added to the channel sums in pairs of doubles (blue with green, red of two taps).

#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2

#include "resample/axis_taps.h"
#include "resample/double_rows.h"
#include "resample/sse2_pixels.h"

namespace quilmo {

namespace {

struct TCubicColumn {
    __m128d Weights[2];  // (w-1, w0), (w+1, w+2)
    int32_t Index[4];    // source pixels
};

class TCubicSSE2 final : public TRowResampler {
public:
    TCubicSSE2(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TCubicKernel kernel)
        : FSource(source),
          FRows(CubicAxis<double>(source.Height, newHeight, 1, kernel, kMinusSixth))
    {
        for (const TCubicTaps& tap :
             CubicAxis<double>(source.Width, newWidth, 1, kernel, kMinusSixth))
            FColumns.push_back({{_mm_set_pd(tap.W[1], tap.W[0]), _mm_set_pd(tap.W[3], tap.W[2])},
                                {tap.Index[0], tap.Index[1], tap.Index[2], tap.Index[3]}});
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
