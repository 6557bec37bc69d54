#include "plugins/heif/box_reader.h"

namespace quilmo::spi {

bool ReadBoxes(TByteSpan bytes, std::vector<TBox>& boxes)
{
    TByteReader reader(bytes);
    while (reader.Remaining() > 0) {
        const size_t start = bytes.size() - reader.Remaining();
        uint64_t size = reader.U32();
        const uint32_t type = reader.U32();
        if (size == 1) size = reader.Number(8);
        const size_t header = bytes.size() - reader.Remaining() - start;
        if (size == 0) size = bytes.size() - start;  // the box runs to the end
        if (reader.Failed() || size < header || size - header > reader.Remaining()) return false;
        boxes.push_back({type, reader.Bytes(static_cast<size_t>(size - header))});
    }
    return true;
}

}  // namespace quilmo::spi
