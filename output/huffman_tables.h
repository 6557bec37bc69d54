#pragma once
// Huffman tables made for the coefficients a file holds: how often each symbol is coded, and the
// table that codes them in the fewest bits (codes of at most 16 bits, none all ones), as the
// JPEG standard builds it. Counting while the blocks are put together is much cheaper than
// libjpeg's own pass over the finished arrays.

#include <array>
#include <cstdint>

#include "input/jpeg_error.h"

namespace quilmo {

// The AC symbols that code no coefficient: the end of a block, and sixteen zeros.
inline constexpr uint8_t kEndOfBlock = 0x00;
inline constexpr uint8_t kZeroRun = 0xF0;

// Whether any of the four bytes of word is 0xFF, which coded data follows with a zero byte.
inline bool HasFFByte(uint32_t word)
{
    const uint32_t inverse = ~word;
    return ((inverse - 0x01010101u) & ~inverse & 0x80808080u) != 0;
}

// How often each of the 256 symbols of one table is coded.
using TSymbolCounts = std::array<int64_t, 256>;

// Counts of the symbols of one table, kept in lanes that take turns, so that counting a symbol
// does not wait for the count of the same symbol just before.
class TSymbolTally {
public:
    // The symbols of a block's AC coefficients: runs of zeros with sizes, runs of sixteen
    // zeros, the end of the block.
    void CountAcSymbols(const JCOEF* block);
    void AddTo(TSymbolCounts& counts) const;

private:
    void Count(int symbol) { ++FLanes[FNext++ % FLanes.size()][symbol]; }

    std::array<TSymbolCounts, 4> FLanes{};
    size_t FNext = 0;
};
// The DC symbol of a difference: its size in bits.
int DcSymbol(int difference);

// table's code lengths and symbols: the best code for counts. Every symbol counted gets a code
// (symbol 0 when none is).
void SetOptimalTable(const TSymbolCounts& counts, JHUFF_TBL& table);

}  // namespace quilmo
