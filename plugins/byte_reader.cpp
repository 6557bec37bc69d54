#include "plugins/byte_reader.h"

namespace quilmo::spi {

uint64_t TByteReader::Number(size_t bytes)
{
    const TByteSpan read = Bytes(bytes);
    uint64_t value = 0;
    for (size_t i = 0; i < read.size(); ++i)
        value |= uint64_t{read[i]} << (8 * (FLittleEndian ? i : read.size() - 1 - i));
    return value;
}

TByteSpan TByteReader::Bytes(size_t count)
{
    if (FFailed || count > Remaining()) {
        FFailed = true;
        return {};
    }
    const TByteSpan read = FBytes.subspan(FPosition, count);
    FPosition += count;
    return read;
}

void TByteReader::Seek(uint64_t position)
{
    if (position > FBytes.size())
        FFailed = true;
    else
        FPosition = static_cast<size_t>(position);
}

}  // namespace quilmo::spi
