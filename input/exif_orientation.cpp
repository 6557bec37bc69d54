#include "exif_orientation.h"

#include <cstring>

namespace quilmo {

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kEntrySize = 12;

// The TIFF structure inside the block, read in its own byte order with every offset checked.
class TTiffReader {
public:
    TTiffReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    bool ReadByteOrder()
    {
        if (FSize < 8) return false;
        if (FData[0] == 'I' && FData[1] == 'I')
            FLittleEndian = true;
        else if (FData[0] == 'M' && FData[1] == 'M')
            FLittleEndian = false;
        else
            return false;
        return U16(2) == 42;
    }
    bool Has(uint64_t offset, uint64_t count) const { return offset <= FSize && count <= FSize - offset; }
    uint16_t U16(size_t at) const
    {
        return FLittleEndian ? static_cast<uint16_t>(FData[at] | FData[at + 1] << 8)
                             : static_cast<uint16_t>(FData[at] << 8 | FData[at + 1]);
    }
    uint32_t U32(size_t at) const
    {
        const uint32_t a = U16(at), b = U16(at + 2);
        return FLittleEndian ? a | b << 16 : a << 16 | b;
    }

private:
    const uint8_t* FData;
    size_t FSize;
    bool FLittleEndian = true;
};

}  // namespace

int ExifOrientation(const uint8_t* data, size_t size)
{
    static constexpr char kSignature[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) return 1;
    return TiffOrientation(data + sizeof kSignature, size - sizeof kSignature);
}

int TiffOrientation(const uint8_t* data, size_t size)
{
    TTiffReader tiff(data, size);
    if (!tiff.ReadByteOrder()) return 1;
    const uint32_t directory = tiff.U32(4);
    if (!tiff.Has(directory, 2)) return 1;
    const uint16_t count = tiff.U16(directory);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = uint64_t{directory} + 2 + i * kEntrySize;
        if (!tiff.Has(entry, kEntrySize)) return 1;
        if (tiff.U16(entry) != kOrientationTag) continue;
        if (tiff.U16(entry + 2) != kShortType) return 1;
        const uint16_t value = tiff.U16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

}  // namespace quilmo
