// Huffman tables made for the coefficients a lossless join writes.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <set>
#include <utility>

#include "output/huffman_tables.h"

using namespace quilmo;

namespace {

TEST(HuffmanTables, CodesOfAtMost16BitsLeaveTheCodeOfAllOnesFree)
{
    // Counts growing as Fibonacci's numbers want codes of up to 39 bits.
    TSymbolCounts counts{};
    int64_t previous = 1, count = 1;
    for (int s = 0; s < 40; ++s) {
        counts[s] = count;
        count = std::exchange(previous, count) + count;
    }
    JHUFF_TBL table{};
    SetOptimalTable(counts, table);
    int symbols = 0;
    double kraft = 0;
    for (int length = 1; length <= 16; ++length) {
        symbols += table.bits[length];
        kraft += table.bits[length] * std::ldexp(1.0, -length);
    }
    EXPECT_EQ(symbols, 40);
    EXPECT_LT(kraft, 1.0);
    EXPECT_EQ(std::set<int>(table.huffval, table.huffval + symbols).size(), 40u);
    // The most frequent symbol gets the shortest code.
    EXPECT_EQ(table.huffval[0], 39);
}

TEST(HuffmanTables, EveryBlockIsCountedInsideTheTable)
{
    // Sizes beyond what a table codes, as a damaged file may hold: the encoder refuses them.
    JCOEF block[DCTSIZE2] = {};
    block[1] = 32767;
    block[63] = -32768;
    TSymbolTally tally;
    tally.CountAcSymbols(block);
    TSymbolCounts counts{};
    tally.AddTo(counts);
    EXPECT_EQ(counts[0x0F], 1);  // no zeros before it, size 15 at the most
    EXPECT_EQ(counts[0xF0], 3);  // 61 zeros: three runs of sixteen...
    EXPECT_EQ(counts[0xDF], 1);  // ...and 13 before the last coefficient
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), int64_t{0}), 5);
}

}  // namespace
