#pragma once
// Blocks of quantised DCT coefficients moved from a picture into the joined picture without
// decoding them: as they are, turned upright as the picture's EXIF orientation says, and
// requantised where its tables differ from the joined picture's.

#include <cstdint>
#include <functional>

#include "huffman_tables.h"
#include "input/jpeg_error.h"
#include "requantiser.h"

namespace quilmo {

// How a stored picture becomes upright, block by block: transposed first (EXIF orientations 5
// to 8), then mirrored across (its columns reversed) or down (its rows reversed). Within a
// block, a transposition transposes the coefficients and a mirror negates those of odd
// frequency in its direction, which is exact.
struct TBlockTurn {
    bool Transpose = false;
    bool MirrorX = false;
    bool MirrorY = false;

    bool Any() const { return Transpose || MirrorX || MirrorY; }
};
TBlockTurn BlockTurnOf(int orientation);

// One component's blocks in memory.
struct TBlockGrid {
    JBLOCKARRAY Rows = nullptr;
    int32_t Width = 0;   // blocks a row
    int32_t Height = 0;  // rows
};

// A stored picture's blocks of one component, a row at a time.
struct TBlockSource {
    std::function<const JBLOCK*(int32_t y)> Row;
    int32_t Width = 0;
    int32_t Height = 0;
};

// The DC of a flat block of sample (0 to 255, unrounded) under the DC's quantisation step: a flat
// block of sample s has the DC 8 (s - 128) before quantisation.
JCOEF FlatDc(double sample, uint16_t step);

// count blocks flat: all coefficients 0 but the DC.
void FillBlocks(JBLOCKROW blocks, int32_t count, JCOEF dc);

// source's blocks turned upright, each requantised when a requantiser is given, into target
// with the upright picture's top left block at (left, top), which must hold them; the AC
// symbols of the blocks as they are put are counted in acSymbols.
void CopyBlocks(const TBlockSource& source, TBlockTurn turn, const TRequantiser* requantiser,
                const TBlockGrid& target, int32_t left, int32_t top, TSymbolTally& acSymbols);

}  // namespace quilmo
