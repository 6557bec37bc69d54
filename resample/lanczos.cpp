// Lanczos-3 enlargement, one path for both settings of the SSE2 switch. Positions and weights
// are singles; every destination pixel normalises its 36 weight products by their total, and
// each source row's six terms are added to the channel sum in extended precision, the sum
// being kept as a single.
//
// The extended sums are the slow part. Where the processor has SSE2 (better, AVX2) each row's
// terms are added in doubles instead, with a margin that bounds how far that can lie from the
// extended sum; only when a rounding boundary of the single falls within the margin is the row
// added again in extended precision. The result is the same to the bit, several times faster.

#include <algorithm>

#include "resample/axis_taps.h"
#include "resample/double_rows.h"
#include "resample/resamplers.h"

#if QUILMO_HAVE_SSE2
#include <immintrin.h>

#include "resample/sse2_pixels.h"
#endif

namespace quilmo {

namespace {

constexpr int kTaps = 6;  // offsets -2 .. +3
constexpr int kProducts = kTaps * kTaps;

struct TLanczosTaps {
    int32_t Index[kTaps];  // source pixel or row
    float W[kTaps];
};

std::vector<TLanczosTaps> LanczosAxis(int32_t source, int32_t dest)
{
    const auto ratio = static_cast<float>(static_cast<long double>(source) / dest);
    std::vector<TLanczosTaps> taps(static_cast<size_t>(dest));
    for (int32_t d = 0; d < dest; ++d) {
        const auto position = static_cast<float>(static_cast<long double>(d) * ratio);
        const auto base = static_cast<int32_t>(position);
        const float t = position - static_cast<float>(base);
        const float distances[kTaps] = {t + 2, t + 1, t, 1 - t, 2 - t, 3 - t};
        for (int k = 0; k < kTaps; ++k) {
            taps[d].Index[k] = EdgeTap(base, k - 2, source);
            taps[d].W[k] = LanczosWeight(distances[k]);
        }
    }
    return taps;
}

// Eight destination columns are normalised side by side, one lane each.
constexpr int kLanes = 8;
using TLanes = float __attribute__((vector_size(kLanes * sizeof(float))));
using TLaneBits = int32_t __attribute__((vector_size(kLanes * sizeof(int32_t))));

// Aligned for the widest registers the lanes may be kept in.
struct alignas(32) TLanczosBlock {
    int32_t Count = 0;
    TLanes W[kTaps] = {};
    int32_t Index[kLanes][kTaps] = {};      // source pixels
    ptrdiff_t Offset[kLanes][kTaps] = {};   // the same in bytes of a row of doubles
};

// Q[6 j + k] = wx_k wy_j / T of the pixels of a block, and per source row j the sum of |Q| over
// rows 0..j, which bounds the channel sums up to that row.
struct alignas(32) TBlockWeights {
    TLanes Q[kProducts];
    TLanes Magnitude[kTaps];
};

// T is added up in single precision, rows j outer, columns k inner. Inlined into each way of
// summing, so that it is compiled for the same processor features.
[[gnu::always_inline]] inline void Normalise(const TLanczosBlock& block, const float wy[kTaps],
                                             TBlockWeights& weights)
{
    TLanes total = {};
#pragma GCC unroll 36
    for (int i = 0; i < kProducts; ++i) {
        weights.Q[i] = block.W[i % kTaps] * wy[i / kTaps];
        total += weights.Q[i];
    }
    TLanes magnitude = {};
#pragma GCC unroll 36
    for (int i = 0; i < kProducts; ++i) {
        weights.Q[i] /= total;
        magnitude += reinterpret_cast<TLanes>(reinterpret_cast<TLaneBits>(weights.Q[i]) & 0x7FFFFFFF);
        if (i % kTaps == kTaps - 1) weights.Magnitude[i / kTaps] = magnitude;
    }
}

// What one destination row reads: its row weights and the six source rows as bytes and (with
// SSE2) as doubles.
struct TRowSource {
    const float* Wy;
    const uint8_t* const* Bytes;
    const TDoubleRow* const* Lines;
};

// What the pixels of a block read: the block, its weights and the source rows.
struct TBlockSource {
    const TLanczosBlock& Block;
    const TBlockWeights& Weights;
    const uint8_t* const* Bytes;
    const TDoubleRow* const* Lines;

    TBlockSource(const TLanczosBlock& block, const TBlockWeights& weights, const TRowSource& row)
        : Block(block), Weights(weights), Bytes(row.Bytes), Lines(row.Lines)
    {
    }

    float Q(int j, int k, int l) const { return Weights.Q[kTaps * j + k][l]; }
    // Q(j, k, l) for k = 0..5 at a stride of kLanes.
    const float* RowQ(int j, int l) const
    {
        return reinterpret_cast<const float*>(&Weights.Q[kTaps * j]) + l;
    }
};

// sum[c] = single(sum[c] + P0 Q0 + ... + P5 Q5) for source row j and the pixel in lane l, left
// to right in extended precision.
void AddRowExtended(float sum[3], const TBlockSource& source, int j, int l)
{
    const int32_t* column = source.Block.Index[l];
    for (int c = 0; c < 3; ++c) {
        long double s = sum[c];
        for (int k = 0; k < kTaps; ++k)
            s += source.Bytes[j][3 * column[k] + c] * static_cast<long double>(source.Q(j, k, l));
        sum[c] = static_cast<float>(s);
    }
}

void ComputeBlockExtended(const TLanczosBlock& block, const TRowSource& row, uint8_t* out)
{
    TBlockWeights weights;
    Normalise(block, row.Wy, weights);
    const TBlockSource source(block, weights, row);
    for (int l = 0; l < source.Block.Count; ++l, out += 3) {
        float sum[3] = {0, 0, 0};
        for (int j = 0; j < kTaps; ++j) AddRowExtended(sum, source, j, l);
        for (int c = 0; c < 3; ++c) out[c] = ClampByte(sum[c]);
    }
}

#if QUILMO_HAVE_SSE2

// A row's terms added in doubles, and then to the sum, err from the extended sum by less than
// 2^-50 of the largest partial sum, which is at most 255 times the magnitude of the products
// so far. When the singles on both sides of that margin agree, the extended sum rounds to the
// same single.
constexpr double kMarginPerMagnitude = 255.0 * 0x1p-48;

double Margin(const TBlockSource& source, int j, int l)
{
    return kMarginPerMagnitude * source.Weights.Magnitude[j][l];
}

// The sums (singles held as doubles) after row j in extended precision.
void RedoRowExtended(double sums[3], const TBlockSource& source, int j, int l)
{
    float sum[3] = {static_cast<float>(sums[0]), static_cast<float>(sums[1]),
                    static_cast<float>(sums[2])};
    AddRowExtended(sum, source, j, l);
    for (int c = 0; c < 3; ++c) sums[c] = sum[c];
}

// The sum of the six terms of every row is formed first, apart from the running sum, so that
// the rows do not wait for each other.
void ComputeBlockSSE2(const TLanczosBlock& block, const TRowSource& row, uint8_t* out)
{
    TBlockWeights weights;
    Normalise(block, row.Wy, weights);
    const TBlockSource source(block, weights, row);
    for (int l = 0; l < source.Block.Count; ++l, out += 3) {
        const int32_t* column = source.Block.Index[l];
        __m128d termsBlueGreen[kTaps];
        __m128d termsRed[kTaps];
        for (int j = 0; j < kTaps; ++j) {
            const TQuad* line = source.Lines[j]->data();
            const float* q = source.RowQ(j, l);
            // Two taps at a time: (blue, green) of each, and the reds of both.
            auto blueGreen = [&](int k) {
                return _mm_add_pd(_mm_mul_pd(BlueGreen(line[column[k]]), _mm_set1_pd(q[k * kLanes])),
                                  _mm_mul_pd(BlueGreen(line[column[k + 1]]), _mm_set1_pd(q[(k + 1) * kLanes])));
            };
            auto reds = [&](int k) {
                return _mm_mul_pd(Reds(line[column[k]], line[column[k + 1]]),
                                  _mm_set_pd(q[(k + 1) * kLanes], q[k * kLanes]));
            };
            termsBlueGreen[j] = _mm_add_pd(_mm_add_pd(blueGreen(0), blueGreen(2)), blueGreen(4));
            const __m128d red = _mm_add_pd(_mm_add_pd(reds(0), reds(2)), reds(4));
            termsRed[j] = _mm_move_sd(_mm_setzero_pd(), _mm_add_sd(red, _mm_unpackhi_pd(red, red)));
        }
        __m128d blueGreen = _mm_setzero_pd();
        __m128d red = _mm_setzero_pd();  // (red, 0)
        for (int j = 0; j < kTaps; ++j) {
            const __m128d sumBlueGreen = _mm_add_pd(blueGreen, termsBlueGreen[j]);
            const __m128d sumRed = _mm_add_pd(red, termsRed[j]);
            const double margin = Margin(source, j, l);
            const __m128d marginBlueGreen = _mm_set1_pd(margin);
            const __m128d marginRed = _mm_set_sd(margin);
            const __m128 below = _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(sumBlueGreen, marginBlueGreen)),
                                               _mm_cvtpd_ps(_mm_sub_pd(sumRed, marginRed)));
            const __m128 above = _mm_movelh_ps(_mm_cvtpd_ps(_mm_add_pd(sumBlueGreen, marginBlueGreen)),
                                               _mm_cvtpd_ps(_mm_add_pd(sumRed, marginRed)));
            if (_mm_movemask_ps(_mm_cmpneq_ps(below, above)) == 0) {
                blueGreen = _mm_cvtps_pd(below);
                red = _mm_cvtps_pd(_mm_movehl_ps(below, below));
                continue;
            }
            alignas(16) double sums[4];
            _mm_store_pd(sums, blueGreen);
            _mm_store_pd(sums + 2, red);
            RedoRowExtended(sums, source, j, l);
            blueGreen = _mm_load_pd(sums);
            red = _mm_set_sd(sums[2]);
        }
        StorePixel(out, blueGreen, red);
    }
}

#endif

#if QUILMO_HAVE_SSE2 && defined(__GNUC__) && defined(__x86_64__)
#define QUILMO_LANCZOS_AVX2 1

// Four lanes from "from" on as doubles times factor, at q + from.
__attribute__((target("avx2"))) inline void StoreAsDoubles(double* q, const TLanes& lanes, int from,
                                                          double factor)
{
    const __m128 floats = _mm_load_ps(reinterpret_cast<const float*>(&lanes) + from);
    _mm256_store_pd(q + from, _mm256_mul_pd(_mm256_cvtps_pd(floats), _mm256_set1_pd(factor)));
}

// Apart from the loop, so that the sums stay in registers there.
[[gnu::noinline]] __attribute__((target("avx2"))) __m256d RedoRowAVX2(__m256d sums,
                                                                     const TBlockSource& source,
                                                                     int j, int l)
{
    alignas(32) double values[4];
    _mm256_store_pd(values, sums);
    RedoRowExtended(values, source, j, l);
    return _mm256_load_pd(values);
}

// The products of the 36 taps added up row by row, each row apart from the running sum.
__attribute__((target("avx2"))) inline void RowTermsAVX2(const TBlockSource& source,
                                                        const double (*q)[kLanes], int l,
                                                        __m256d terms[kTaps])
{
    const ptrdiff_t* offset = source.Block.Offset[l];
#pragma GCC unroll 6
    for (int j = 0; j < kTaps; ++j) {
        const char* line = reinterpret_cast<const char*>(source.Lines[j]->data());
        __m256d products[kTaps];
#pragma GCC unroll 6
        for (int k = 0; k < kTaps; ++k)
            products[k] = _mm256_mul_pd(_mm256_load_pd(reinterpret_cast<const double*>(line + offset[k])),
                                        _mm256_broadcast_sd(&q[kTaps * j + k][l]));
        terms[j] = _mm256_add_pd(_mm256_add_pd(_mm256_add_pd(products[0], products[1]),
                                               _mm256_add_pd(products[2], products[3])),
                                 _mm256_add_pd(products[4], products[5]));
    }
}

// The sums after row j: the row's terms added and rounded to singles, in extended precision
// where the margin leaves the single in doubt. The fourth lane stays 0 on both sides.
__attribute__((target("avx2"))) inline __m256d AddRowAVX2(__m256d sums, __m256d terms,
                                                         const double* margin,
                                                         const TBlockSource& source, int j, int l)
{
    const __m256d sum = _mm256_add_pd(sums, terms);
    const __m256d colours = _mm256_castsi256_pd(_mm256_set_epi64x(0, -1, -1, -1));
    const __m256d margins = _mm256_and_pd(_mm256_broadcast_sd(margin), colours);
    const __m128 below = _mm256_cvtpd_ps(_mm256_sub_pd(sum, margins));
    const __m128 above = _mm256_cvtpd_ps(_mm256_add_pd(sum, margins));
    return _mm_movemask_ps(_mm_cmpneq_ps(below, above)) == 0 ? _mm256_cvtps_pd(below)
                                                             : RedoRowAVX2(sums, source, j, l);
}

// The same with the three channels in one register of four doubles, where the processor has
// AVX2. The products are turned into doubles once per block; two pixels go side by side, so
// that one's row-by-row rounding overlaps the other's.
__attribute__((target("avx2"))) void ComputeBlockAVX2(const TLanczosBlock& block,
                                                      const TRowSource& row, uint8_t* out)
{
    TBlockWeights weights;
    Normalise(block, row.Wy, weights);
    const TBlockSource source(block, weights, row);
    alignas(32) double q[kProducts][kLanes];
#pragma GCC unroll 36
    for (int i = 0; i < kProducts; ++i)
        for (int from = 0; from < kLanes; from += 4) StoreAsDoubles(q[i], weights.Q[i], from, 1);
    alignas(32) double margins[kTaps][kLanes];
#pragma GCC unroll 6
    for (int j = 0; j < kTaps; ++j)
        for (int from = 0; from < kLanes; from += 4)
            StoreAsDoubles(margins[j], weights.Magnitude[j], from, kMarginPerMagnitude);
    for (int l = 0; l < block.Count; l += 2) {
        const int m = std::min(l + 1, block.Count - 1);  // the last pixel may go alone
        __m256d first[kTaps], second[kTaps];
        RowTermsAVX2(source, q, l, first);
        RowTermsAVX2(source, q, m, second);
        __m256d firstSums = _mm256_setzero_pd(), secondSums = _mm256_setzero_pd();
#pragma GCC unroll 6
        for (int j = 0; j < kTaps; ++j) {
            firstSums = AddRowAVX2(firstSums, first[j], &margins[j][l], source, j, l);
            secondSums = AddRowAVX2(secondSums, second[j], &margins[j][m], source, j, m);
        }
        StorePixel(out + 3 * l, _mm256_castpd256_pd128(firstSums), _mm256_extractf128_pd(firstSums, 1));
        StorePixel(out + 3 * m, _mm256_castpd256_pd128(secondSums), _mm256_extractf128_pd(secondSums, 1));
    }
}

#endif

using TBlockComputation = void (*)(const TLanczosBlock& block, const TRowSource& row,
                                   uint8_t* out);

TBlockComputation BlockComputation(TLanczosSums sums)
{
    switch (sums) {
#if defined(QUILMO_LANCZOS_AVX2)
    case TLanczosSums::AVX2: return ComputeBlockAVX2;
#endif
#if QUILMO_HAVE_SSE2
    case TLanczosSums::SSE2: return ComputeBlockSSE2;
#endif
    default: return ComputeBlockExtended;
    }
}

class TLanczos final : public TRowResampler {
public:
    TLanczos(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TLanczosSums sums)
        : FSource(source), FRows(LanczosAxis(source.Height, newHeight)), FComputeBlock(BlockComputation(sums))
    {
        const std::vector<TLanczosTaps> columns = LanczosAxis(source.Width, newWidth);
        for (size_t x = 0; x < columns.size(); ++x) {
            if (x % kLanes == 0) FBlocks.emplace_back();
            TLanczosBlock& block = FBlocks.back();
            for (int k = 0; k < kTaps; ++k) {
                block.W[k][block.Count] = columns[x].W[k];
                block.Index[block.Count][k] = columns[x].Index[k];
                block.Offset[block.Count][k] = columns[x].Index[k] * ptrdiff_t{sizeof(TQuad)};
            }
            ++block.Count;
        }
    }

    std::unique_ptr<TRowWork> NewWork() const override
    {
#if QUILMO_HAVE_SSE2
        // The six rows of this destination row and the six of the next.
        return std::make_unique<TDoubleRowCache>(FSource, 2 * kTaps);
#else
        return nullptr;
#endif
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork* work) const override
    {
        const TLanczosTaps& row = FRows[y];
        const uint8_t* bytes[kTaps];
        const TDoubleRow* lines[kTaps] = {};
        for (int j = 0; j < kTaps; ++j) bytes[j] = FSource.Rows[row.Index[j]];
#if QUILMO_HAVE_SSE2
        auto& cache = static_cast<TDoubleRowCache&>(*work);
        for (int j = 0; j < kTaps; ++j) lines[j] = &cache.Row(row.Index[j]);
#endif
        for (const TLanczosBlock& block : FBlocks) {
            FComputeBlock(block, {row.W, bytes, lines}, out);
            out += 3 * block.Count;
        }
    }

private:
    const TPixelRows& FSource;
    std::vector<TLanczosTaps> FRows;
    std::vector<TLanczosBlock> FBlocks;
    TBlockComputation FComputeBlock;
};

}  // namespace

std::vector<TLanczosSums> AvailableLanczosSums()
{
    std::vector<TLanczosSums> sums{TLanczosSums::Extended};
#if QUILMO_HAVE_SSE2
    sums.push_back(TLanczosSums::SSE2);
#endif
#if defined(QUILMO_LANCZOS_AVX2)
    if (__builtin_cpu_supports("avx2")) sums.push_back(TLanczosSums::AVX2);
#endif
    return sums;
}

TResamplerMaker LanczosMaker(TLanczosSums sums)
{
    return [sums](const TPixelRows& source, int32_t newWidth, int32_t newHeight) {
        return std::make_unique<TLanczos>(source, newWidth, newHeight, sums);
    };
}

std::unique_ptr<TRowResampler> NewLanczos(const TPixelRows& source, int32_t newWidth,
                                          int32_t newHeight)
{
    static const TLanczosSums fastest = AvailableLanczosSums().back();
    return std::make_unique<TLanczos>(source, newWidth, newHeight, fastest);
}

}  // namespace quilmo
