#include "huffman_tables.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quilmo {

namespace {

// Where each coefficient of the zigzag order lies in a block's natural order.
constexpr int kZigzag[DCTSIZE2] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The zigzag mask of the coefficients set in one byte of a natural-order mask: for byte j and
// its value, the bits of their zigzag positions.
using TZigzagBytes = std::array<std::array<uint64_t, 256>, 8>;
const TZigzagBytes kZigzagBytes = [] {
    std::array<int, DCTSIZE2> position{};
    for (int k = 0; k < DCTSIZE2; ++k) position[kZigzag[k]] = k;
    TZigzagBytes bytes{};
    for (int j = 0; j < 8; ++j)
        for (int value = 0; value < 256; ++value)
            for (int bit = 0; bit < 8; ++bit)
                if ((value >> bit & 1) != 0) bytes[j][value] |= uint64_t{1} << position[8 * j + bit];
    return bytes;
}();

constexpr int kMaxCodeLength = 16;

int SizeInBits(int value)
{
    return std::bit_width(static_cast<unsigned>(std::abs(value)));
}

// Bit i set for each coefficient i (natural order) that is not zero.
uint64_t NonZero(const JCOEF* block)
{
    uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const auto* rows = reinterpret_cast<const __m128i*>(block);
    for (int pair = 0; pair < 4; ++pair) {
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_loadu_si128(rows + 2 * pair), zero),
                                              _mm_cmpeq_epi16(_mm_loadu_si128(rows + 2 * pair + 1), zero));
        mask |= uint64_t{static_cast<uint16_t>(~_mm_movemask_epi8(zeros))} << (16 * pair);
    }
#else
    for (int i = 0; i < DCTSIZE2; ++i) mask |= uint64_t{block[i] != 0} << i;
#endif
    return mask;
}

}  // namespace

void TSymbolTally::CountAcSymbols(const JCOEF* block)
{
    // The coefficients that are not zero, bit k for zigzag position k: a step for each of
    // them, which are few in most blocks, and none for the zeros.
    const uint64_t natural = NonZero(block);
    uint64_t nonZero = 0;
    for (int j = 0; j < 8; ++j) nonZero |= kZigzagBytes[j][natural >> (8 * j) & 0xFF];
    nonZero &= ~uint64_t{1};  // the DC
    int last = 0;
    while (nonZero != 0) {
        const int k = std::countr_zero(nonZero);
        nonZero &= nonZero - 1;
        int run = k - last - 1;
        for (; run > 15; run -= 16) Count(kZeroRun);
        // A size beyond 10 bits has no code: the encoder refuses such a block, and counting
        // it stays inside the table meanwhile.
        Count((run << 4) | std::min(SizeInBits(block[kZigzag[k]]), 15));
        last = k;
    }
    if (last < DCTSIZE2 - 1) Count(kEndOfBlock);
}

void TSymbolTally::AddTo(TSymbolCounts& counts) const
{
    for (const TSymbolCounts& lane : FLanes)
        for (size_t s = 0; s < counts.size(); ++s) counts[s] += lane[s];
}

int DcSymbol(int difference)
{
    return SizeInBits(difference);
}

void SetOptimalTable(const TSymbolCounts& counts, JHUFF_TBL& table)
{
    // Symbol 256 is a placeholder with the least count: it takes the code of all ones, which
    // is then given up.
    constexpr int kSymbols = 257;
    int64_t frequency[kSymbols];
    std::copy(counts.begin(), counts.end(), frequency);
    // A table needs a symbol besides the placeholder.
    if (std::all_of(counts.begin(), counts.end(), [](int64_t count) { return count == 0; })) frequency[0] = 1;
    frequency[256] = 1;
    int codeLength[kSymbols] = {};
    int next[kSymbols];  // the next symbol of the same subtree, or -1
    std::fill(std::begin(next), std::end(next), -1);
    // Join the two rarest subtrees until one is left; every symbol of both gets a bit longer.
    // Ties go to the higher symbol, for one result on every machine.
    for (;;) {
        int first = -1, second = -1;
        for (int s = 0; s < kSymbols; ++s) {
            if (frequency[s] == 0) continue;
            if (first < 0 || frequency[s] <= frequency[first]) {
                second = first;
                first = s;
            } else if (second < 0 || frequency[s] <= frequency[second]) {
                second = s;
            }
        }
        if (second < 0) break;
        frequency[first] += frequency[second];
        frequency[second] = 0;
        int s = first;
        for (++codeLength[s]; next[s] >= 0; ++codeLength[s]) s = next[s];
        next[s] = second;
        for (s = second, ++codeLength[s]; next[s] >= 0; ++codeLength[s]) s = next[s];
    }
    int lengths[2 * kMaxCodeLength + 1 + kSymbols] = {};
    for (int s = 0; s < kSymbols; ++s)
        if (codeLength[s] > 0) ++lengths[codeLength[s]];
    // Codes longer than 16 bits: two of them leave their length, one of a shorter length
    // becomes two one bit longer.
    for (int length = 2 * kMaxCodeLength + kSymbols; length > kMaxCodeLength; --length) {
        while (lengths[length] > 0) {
            int shorter = length - 2;
            while (lengths[shorter] == 0) --shorter;
            lengths[length] -= 2;
            ++lengths[length - 1];
            lengths[shorter + 1] += 2;
            --lengths[shorter];
        }
    }
    // The placeholder's code, the longest one.
    int longest = kMaxCodeLength;
    while (lengths[longest] == 0) --longest;
    --lengths[longest];

    std::memset(table.bits, 0, sizeof table.bits);
    for (int length = 1; length <= kMaxCodeLength; ++length) table.bits[length] = static_cast<UINT8>(lengths[length]);
    int k = 0;
    for (int length = 1; length <= 2 * kMaxCodeLength + kSymbols; ++length)
        for (int s = 0; s < 256; ++s)
            if (codeLength[s] == length) table.huffval[k++] = static_cast<UINT8>(s);
    table.sent_table = FALSE;
}

}  // namespace quilmo
