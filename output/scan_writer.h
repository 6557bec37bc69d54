#pragma once
// The coded data of one scan (or one restart interval of it), written as libjpeg's baseline
// Huffman coder writes it: codes and extra bits most significant first, a zero byte after each
// 0xFF, the last byte filled with ones.

#include <array>
#include <cstdint>
#include <vector>

#include "huffman_tables.h"

namespace quilmo {

// One Huffman table made ready for coding: each symbol's code and its length (0: no code).
struct THuffmanCodes {
    explicit THuffmanCodes(const JHUFF_TBL& table);
    std::array<uint16_t, 256> Code{};
    std::array<uint8_t, 256> Length{};
};

class TScanWriter {
public:
    // A DC difference, of at most 11 bits. Every symbol put must have a code.
    void PutDc(const THuffmanCodes& codes, int difference)
    {
        const int size = DcSymbol(difference);
        const unsigned extra = static_cast<unsigned>(difference < 0 ? difference - 1 : difference) & ((1u << size) - 1);
        Put(uint64_t{codes.Code[size]} << size | extra, codes.Length[size] + size);
    }
    // An AC symbol with its extra bits (as many as its low four bits say).
    void PutAc(const THuffmanCodes& codes, uint8_t symbol, uint16_t bits) { PutAc(codes, &symbol, &bits, 1); }
    // count of them.
    void PutAc(const THuffmanCodes& codes, const uint8_t* symbols, const uint16_t* bits, size_t count)
    {
        // The bits in hand kept apart from the bytes written, so that they stay in registers.
        uint64_t held = FBits;
        int heldCount = FCount;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t symbol = symbols[i];
            const int size = symbol & 15;
            const int length = codes.Length[symbol] + size;
            held = held << length | uint64_t{codes.Code[symbol]} << size | bits[i];
            heldCount += length;
            if (heldCount >= 32) {
                heldCount -= 32;
                PutWord(static_cast<uint32_t>(held >> heldCount));
            }
        }
        FBits = held;
        FCount = heldCount;
    }
    // The bytes, the last one filled with ones.
    std::vector<uint8_t> Finish();

private:
    void Put(uint64_t bits, int count)
    {
        FBits = FBits << count | bits;
        FCount += count;
        if (FCount >= 32) {
            FCount -= 32;
            PutWord(static_cast<uint32_t>(FBits >> FCount));
        }
    }
    void PutWord(uint32_t word);
    void PutByte(uint8_t byte);

    std::vector<uint8_t> FBytes;
    size_t FUsed = 0;
    uint64_t FBits = 0;
    int FCount = 0;
};

}  // namespace quilmo
