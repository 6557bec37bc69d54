// Lanczos-3 enlargement, one path for both settings of the SSE2 switch. The pixels are those
// of the step-by-step definition (lanczos_pixel.h), reached another way: the six source rows
// of a destination row are weighted and added up once into a row of column sums, and each
// destination pixel then adds its six columns of that row and divides by its total, all in
// doubles. That estimate lies within a margin of the defined single-precision sum that the
// weights bound; where no tie lies within the margin, the estimate rounds to the defined
// byte. Only the channels where one does are computed step by step: exact ties are common at
// simple ratios, about one channel in seven hundred at 2x.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>

#include "resample/double_rows.h"
#include "resample/lanczos_pixel.h"
#include "resample/resamplers.h"

namespace quilmo {

namespace {

constexpr int kTaps = kLanczosTaps;

// The vectors wider than 16 bytes are aligned to their size in so many words. Left to the
// compiler, code built for any x86-64 aligns them to 16 bytes only, and so does the memory laid
// out for them, while the AVX2 path reads them with loads that need their full size.

// A pixel's blue, green, red and 0, as the rows of doubles hold it.
using TChannels = double __attribute__((vector_size(sizeof(TQuad)), aligned(sizeof(TQuad))));
using TChannelBits = int64_t __attribute__((vector_size(sizeof(TQuad)), aligned(sizeof(TQuad))));
using TChannelInts = int32_t __attribute__((vector_size(4 * sizeof(int32_t))));
using TIntBytes = uint8_t __attribute__((vector_size(4 * sizeof(int32_t))));
using TChannelBytes = uint8_t __attribute__((vector_size(4)));

// The totals of eight column classes are formed side by side, one class in each lane.
constexpr int kLanes = 8;
using TLanes = float __attribute__((vector_size(kLanes * sizeof(float)), aligned(kLanes * sizeof(float))));
using TDoubleLanes =
    double __attribute__((vector_size(kLanes * sizeof(double)), aligned(kLanes * sizeof(double))));
static_assert(alignof(TChannels) == sizeof(TChannels) && alignof(TLanes) == sizeof(TLanes) &&
              alignof(TDoubleLanes) == sizeof(TDoubleLanes));

// How far the defined sum S can lie from R = sum_jk P_jk wx_k wy_j / T, in units of
// sum_k |wx_k| / T. Each normalised product is rounded to a single twice, by 2^-24 of itself
// each time: at most 2 * 2^-24 * 255 * sum_j |wy_j| over the 36 terms. Adding row j to the
// single sum rounds once, by 2^-24 of a partial sum that is at most 255 times the rows so far,
// (|wy_0| + ... + |wy_j|) in the same units. The extended additions, the doubles of the
// estimate and the second-order terms stay far below the 2^-10 allowed for them.
constexpr double kMarginUnit = 255 * 0x1p-24 * (1 + 0x1p-10);

// The row's factor of the margin: 2 sum_j |wy_j| + sum_j (|wy_0| + ... + |wy_j|).
double RowMargin(const float wy[kTaps])
{
    double margin = 0, rowsSoFar = 0;
    for (int j = 0; j < kTaps; ++j) {
        const double magnitude = std::fabs(wy[j]);
        rowsSoFar += magnitude;
        margin += 2 * magnitude + rowsSoFar;
    }
    return margin;
}

struct TColumn {
    int32_t Index[kTaps];  // source pixels
    int32_t Class;
};

// Columns with the same weights (every other column of a 2x enlargement, say) have the same
// total with every row: they form one class, whose total a destination row computes once.
struct TColumnClass {
    double W[kTaps];
};

struct TClassBlock {
    TLanes W[kTaps];         // of eight classes
    TDoubleLanes Magnitude;  // kMarginUnit * sum_k |wx_k| of each
};

// What a call computes from: the taps of every destination row and column, and the classes.
struct TLanczosPlan {
    const TPixelRows& Source;
    std::vector<TLanczosTaps> Rows;
    std::vector<TLanczosTaps> ColumnTaps;
    std::vector<TColumn> Columns;
    std::vector<TColumnClass> Classes;
    std::vector<TClassBlock> Blocks;  // class c in lane c % kLanes of block c / kLanes

    TLanczosPlan(const TPixelRows& source, int32_t newWidth, int32_t newHeight)
        : Source(source), Rows(LanczosAxis(source.Height, newHeight)),
          ColumnTaps(LanczosAxis(source.Width, newWidth))
    {
        std::map<std::array<float, kTaps>, int32_t> classes;
        for (const TLanczosTaps& taps : ColumnTaps) {
            std::array<float, kTaps> weights;
            std::copy(taps.W, taps.W + kTaps, weights.begin());
            const auto [found, added] = classes.try_emplace(weights, static_cast<int32_t>(Classes.size()));
            if (added) AddClass(taps.W);
            TColumn& column = Columns.emplace_back();
            column.Class = found->second;
            std::copy(taps.Index, taps.Index + kTaps, column.Index);
        }
    }

    void AddClass(const float w[kTaps])
    {
        const size_t lane = Classes.size() % kLanes;
        if (lane == 0) Blocks.emplace_back();
        TClassBlock& block = Blocks.back();
        TColumnClass& added = Classes.emplace_back();
        double magnitude = 0;
        for (int k = 0; k < kTaps; ++k) {
            block.W[k][lane] = w[k];
            added.W[k] = w[k];
            magnitude += std::fabs(w[k]);
        }
        block.Magnitude[lane] = kMarginUnit * magnitude;
    }
};

// What one thread keeps from destination row to destination row.
class TLanczosWork final : public TRowWork {
public:
    explicit TLanczosWork(const TLanczosPlan& plan)
        : Lines(plan.Source, 2 * kTaps), Sums(static_cast<size_t>(plan.Source.Width)),
          Scale(plan.Blocks.size() * kLanes), Margin(plan.Blocks.size() * kLanes)
    {
    }

    TDoubleRowCache Lines;        // the source rows of this destination row and the next
    TDoubleRow Sums;              // the source rows weighted and added up, per source pixel
    std::vector<double> Scale;    // per class: 1 / T
    std::vector<double> Margin;   // per class: how far the estimate may lie from the defined sum
};

// The steps of a destination row follow, inlined everywhere: they are compiled once for every
// processor and once with AVX2.

// sum = w_0 pixel(0) + ... + w_5 pixel(5)
template <class PixelAt>
[[gnu::always_inline]] inline void WeightedSum(const double w[kTaps], PixelAt pixel, TChannels& sum)
{
    TChannels terms[kTaps];
#pragma GCC unroll 6
    for (int i = 0; i < kTaps; ++i) {
        std::memcpy(&terms[i], &pixel(i), sizeof terms[i]);
        terms[i] *= w[i];
    }
    sum = terms[0] + terms[1] + terms[2] + terms[3] + terms[4] + terms[5];
}

// Sums[c] = sum_j wy_j P(r_j, c) for every source pixel c.
[[gnu::always_inline]] inline void SumColumns(const TLanczosTaps& row, TLanczosWork& work)
{
    const TQuad* lines[kTaps];
    double wy[kTaps];
    for (int j = 0; j < kTaps; ++j) {
        lines[j] = work.Lines.Row(row.Index[j]).data();
        wy[j] = row.W[j];
    }
    TQuad* sums = work.Sums.data();
    const size_t width = work.Sums.size();
    for (size_t c = 0; c < width; ++c) {
        TChannels sum;
        WeightedSum(wy, [&](int j) -> const TQuad& { return lines[j][c]; }, sum);
        std::memcpy(&sums[c], &sum, sizeof sum);
    }
}

// 1 / T and the margin of every class for this row. The lanes after the last class hold no
// weights; what they compute is never read.
[[gnu::always_inline]] inline void ScaleClasses(const std::vector<TClassBlock>& blocks,
                                                const float wy[kTaps], double* scale,
                                                double* margin)
{
    const double rowMargin = RowMargin(wy);
    for (const TClassBlock& block : blocks) {
        TLanes total;
        LanczosTotal(block.W, wy, total);
        const TDoubleLanes inverse = 1 / __builtin_convertvector(total, TDoubleLanes);
        const TDoubleLanes margins = block.Magnitude * rowMargin * inverse;
        std::memcpy(scale, &inverse, sizeof inverse);
        std::memcpy(margin, &margins, sizeof margins);
        scale += kLanes;
        margin += kLanes;
    }
}

// nearest = the estimate rounded to integers, ties to even; doubt = how close each channel
// comes to a tie, margin included: below 1/2 its byte is certain. The fourth lane stays 0.
[[gnu::always_inline]] inline void Round(const TChannels& estimate, double margin,
                                         TChannels& nearest, TChannels& doubt)
{
    const TChannels shift = TChannels{} + 0x1.8p52;
    nearest = (estimate + shift) - shift;
    const TChannelBits distance = reinterpret_cast<TChannelBits>(estimate - nearest) & INT64_MAX;
    doubt = reinterpret_cast<TChannels>(distance) + margin;
}

// The largest of the four lanes.
[[gnu::always_inline]] inline double Largest(const TChannels& v)
{
    const TChannels swapped = __builtin_shufflevector(v, v, 2, 3, 0, 1);
    const TChannels halves = swapped > v ? swapped : v;
    return halves[0] > halves[1] ? halves[0] : halves[1];
}

// The three channels as bytes, limited to 0..255.
[[gnu::always_inline]] inline void StoreBytes(const TChannels& integers, uint8_t* out)
{
    const TChannels zero = {};
    TChannels clamped = integers > 255 ? zero + 255 : integers;
    clamped = clamped >= 0 ? clamped : zero;
    const auto ints = reinterpret_cast<TIntBytes>(__builtin_convertvector(clamped, TChannelInts));
    const TChannelBytes bytes = __builtin_shufflevector(ints, ints, 0, 4, 8, 12);
    std::memcpy(out, &bytes, 3);
}

[[gnu::always_inline]] inline void ComputeLanczosRow(const TLanczosPlan& plan, int32_t y,
                                                     uint8_t* out, TLanczosWork& work)
{
    const TLanczosTaps& row = plan.Rows[y];
    SumColumns(row, work);
    ScaleClasses(plan.Blocks, row.W, work.Scale.data(), work.Margin.data());
    const TQuad* sums = work.Sums.data();
    const TColumn* columns = plan.Columns.data();
    const TColumnClass* classes = plan.Classes.data();
    const double* scale = work.Scale.data();
    const double* margin = work.Margin.data();
    const size_t width = plan.Columns.size();
    for (size_t x = 0; x < width; ++x, out += 3) {
        const TColumn& column = columns[x];
        const int32_t c = column.Class;
        // The estimate: sum_k wx_k Sums[c_k] / T.
        TChannels sum;
        WeightedSum(classes[c].W, [&](int k) -> const TQuad& { return sums[column.Index[k]]; }, sum);
        TChannels nearest, doubt;
        Round(sum * scale[c], margin[c], nearest, doubt);
        StoreBytes(nearest, out);
        if (Largest(doubt) < 0.5) continue;
        const TLanczosProducts products = NormalisedProducts(plan.ColumnTaps[x], row);
        const uint8_t* rows[kTaps];
        for (int j = 0; j < kTaps; ++j) rows[j] = plan.Source.Rows[row.Index[j]];
        for (int channel = 0; channel < 3; ++channel)
            if (!(doubt[channel] < 0.5))
                out[channel] = DefinedLanczosChannel(products, plan.ColumnTaps[x], rows, channel);
    }
}

void ComputeRowPortable(const TLanczosPlan& plan, int32_t y, uint8_t* out, TLanczosWork& work)
{
    ComputeLanczosRow(plan, y, out, work);
}

#if QUILMO_HAVE_AVX2
__attribute__((target("avx2"))) void ComputeRowAVX2(const TLanczosPlan& plan, int32_t y,
                                                    uint8_t* out, TLanczosWork& work)
{
    ComputeLanczosRow(plan, y, out, work);
}
#endif

using TRowComputation = void (*)(const TLanczosPlan& plan, int32_t y, uint8_t* out,
                                 TLanczosWork& work);

TRowComputation RowComputation(TVectorSums sums)
{
#if QUILMO_HAVE_AVX2
    if (sums == TVectorSums::AVX2) return ComputeRowAVX2;
#endif
    return ComputeRowPortable;
}

class TLanczos final : public TRowResampler {
public:
    TLanczos(const TPixelRows& source, int32_t newWidth, int32_t newHeight, TVectorSums sums)
        : FPlan(source, newWidth, newHeight), FComputeRow(RowComputation(sums))
    {
    }

    std::unique_ptr<TRowWork> NewWork() const override
    {
        return std::make_unique<TLanczosWork>(FPlan);
    }

    void ComputeRow(int32_t y, uint8_t* out, TRowWork* work) const override
    {
        FComputeRow(FPlan, y, out, static_cast<TLanczosWork&>(*work));
    }

private:
    TLanczosPlan FPlan;
    TRowComputation FComputeRow;
};

}  // namespace

TResamplerMaker LanczosMaker(TVectorSums sums)
{
    return [sums](const TPixelRows& source, int32_t newWidth, int32_t newHeight) {
        return std::make_unique<TLanczos>(source, newWidth, newHeight, sums);
    };
}

std::unique_ptr<TRowResampler> NewLanczos(const TPixelRows& source, int32_t newWidth,
                                          int32_t newHeight)
{
    static const TVectorSums fastest = FastestVectorSums();
    return std::make_unique<TLanczos>(source, newWidth, newHeight, fastest);
}

}  // namespace quilmo
