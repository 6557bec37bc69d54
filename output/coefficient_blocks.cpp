#include "coefficient_blocks.h"

#include <cmath>
#include <cstring>

namespace quilmo {

namespace {

void TurnBlock(const JCOEF* in, JCOEF* out, TBlockTurn turn)
{
    for (int v = 0; v < DCTSIZE; ++v)
        for (int u = 0; u < DCTSIZE; ++u) {
            const JCOEF c = in[turn.Transpose ? u * DCTSIZE + v : v * DCTSIZE + u];
            const bool negate = (turn.MirrorX && (u & 1) != 0) != (turn.MirrorY && (v & 1) != 0);
            out[v * DCTSIZE + u] = static_cast<JCOEF>(negate ? -c : c);
        }
}

}  // namespace

TBlockTurn BlockTurnOf(int orientation)
{
    switch (orientation) {
    case 2: return {false, true, false};
    case 3: return {false, true, true};
    case 4: return {false, false, true};
    case 5: return {true, false, false};
    case 6: return {true, true, false};
    case 7: return {true, true, true};
    case 8: return {true, false, true};
    default: return {};
    }
}

JCOEF FlatDc(double sample, uint16_t step)
{
    return static_cast<JCOEF>(std::lround(DCTSIZE * (sample - 128) / step));
}

void FillBlocks(JBLOCKROW blocks, int32_t count, JCOEF dc)
{
    JBLOCK flat{};
    flat[0] = dc;
    for (int32_t x = 0; x < count; ++x) std::memcpy(blocks[x], flat, sizeof(JBLOCK));
}

void CopyBlocks(const TBlockSource& source, TBlockTurn turn, const TRequantiser* requantiser,
                const TBlockGrid& target, int32_t left, int32_t top, TSymbolTally& acSymbols)
{
    const int32_t turnedWidth = turn.Transpose ? source.Height : source.Width;
    const int32_t turnedHeight = turn.Transpose ? source.Width : source.Height;
    for (int32_t y = 0; y < source.Height; ++y) {
        const JBLOCK* row = source.Row(y);
        if (!turn.Any()) {
            JBLOCK* out = target.Rows[top + y] + left;
            std::memcpy(out, row, static_cast<size_t>(source.Width) * sizeof(JBLOCK));
            for (int32_t x = 0; x < source.Width; ++x) {
                if (requantiser) requantiser->Apply(out[x]);
                acSymbols.CountAcSymbols(out[x]);
            }
            continue;
        }
        for (int32_t x = 0; x < source.Width; ++x) {
            const int32_t turnedX = turn.Transpose ? y : x;
            const int32_t turnedY = turn.Transpose ? x : y;
            JCOEF* out = target.Rows[top + (turn.MirrorY ? turnedHeight - 1 - turnedY : turnedY)]
                                    [left + (turn.MirrorX ? turnedWidth - 1 - turnedX : turnedX)];
            TurnBlock(row[x], out, turn);
            if (requantiser) requantiser->Apply(out);
            acSymbols.CountAcSymbols(out);
        }
    }
}

}  // namespace quilmo
