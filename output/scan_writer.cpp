#include "scan_writer.h"

#include <algorithm>
#include <cstring>

namespace quilmo {

THuffmanCodes::THuffmanCodes(const JHUFF_TBL& table)
{
    // Codes in order of length, then of the symbols' order in the table.
    int k = 0;
    unsigned code = 0;
    for (int length = 1; length <= 16; ++length, code <<= 1)
        for (int i = 0; i < table.bits[length] && k < 256; ++i, ++k, ++code) {
            Code[table.huffval[k]] = static_cast<uint16_t>(code);
            Length[table.huffval[k]] = static_cast<uint8_t>(length);
        }
}

void TScanWriter::PutWord(uint32_t word)
{
    if (HasFFByte(word)) {
        for (int shift = 24; shift >= 0; shift -= 8) PutByte(static_cast<uint8_t>(word >> shift));
        return;
    }
    if (FBytes.size() - FUsed < 4) FBytes.resize(std::max<size_t>(2 * FBytes.size(), 1 << 16));
    const uint32_t bigEndian = __builtin_bswap32(word);
    std::memcpy(FBytes.data() + FUsed, &bigEndian, 4);
    FUsed += 4;
}

void TScanWriter::PutByte(uint8_t byte)
{
    if (FBytes.size() - FUsed < 2) FBytes.resize(std::max<size_t>(2 * FBytes.size(), 1 << 16));
    FBytes[FUsed++] = byte;
    if (byte == 0xFF) FBytes[FUsed++] = 0;
}

std::vector<uint8_t> TScanWriter::Finish()
{
    const int fill = (8 - FCount % 8) % 8;
    FBits = FBits << fill | ((uint64_t{1} << fill) - 1);
    FCount += fill;
    while (FCount >= 8) {
        FCount -= 8;
        PutByte(static_cast<uint8_t>(FBits >> FCount));
    }
    FBytes.resize(FUsed);
    return std::move(FBytes);
}

}  // namespace quilmo
