#include "scan_writer.h"

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

void TScanWriter::Flush()
{
    while (FCount >= 8) {
        FCount -= 8;
        const auto byte = static_cast<uint8_t>(FBits >> FCount);
        FBytes.push_back(byte);
        if (byte == 0xFF) FBytes.push_back(0);
    }
}

std::vector<uint8_t> TScanWriter::Finish()
{
    const int fill = (8 - FCount % 8) % 8;
    Put((uint64_t{1} << fill) - 1, fill);
    Flush();
    return std::move(FBytes);
}

}  // namespace quilmo
