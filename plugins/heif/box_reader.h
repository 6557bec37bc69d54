#pragma once
// Bounds-checked reading of the boxes a HEIF file is made of (the ISO base media file format)
// and of the big-endian numbers in them: nothing is read past the bytes given.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quilmo::spi {

using TByteSpan = std::span<const uint8_t>;

constexpr uint32_t FourCC(const char (&name)[5])
{
    return uint32_t{uint8_t(name[0])} << 24 | uint32_t{uint8_t(name[1])} << 16 | uint32_t{uint8_t(name[2])} << 8 |
           uint8_t(name[3]);
}

// Reads big-endian numbers and runs of bytes in order. A read past the end gives 0 or nothing
// and leaves the reader failed.
class TByteReader {
public:
    explicit TByteReader(TByteSpan bytes) : FBytes(bytes) {}

    uint64_t Number(size_t bytes);  // 0 to 8 bytes
    uint8_t U8() { return static_cast<uint8_t>(Number(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Number(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Number(4)); }
    TByteSpan Bytes(size_t count);
    void Skip(size_t count) { Bytes(count); }
    TByteSpan Rest() { return Bytes(Remaining()); }

    size_t Remaining() const { return FBytes.size() - FPosition; }
    bool Failed() const { return FFailed; }

private:
    TByteSpan FBytes;
    size_t FPosition = 0;
    bool FFailed = false;
};

struct TBox {
    uint32_t Type = 0;
    TByteSpan Content;  // what follows the box's header
};

// The boxes that fill bytes, one after another; false when one runs past their end.
bool ReadBoxes(TByteSpan bytes, std::vector<TBox>& boxes);

}  // namespace quilmo::spi
