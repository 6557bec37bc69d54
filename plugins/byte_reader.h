#pragma once
// Bounds-checked reading of the numbers in a file's structures: nothing is read past the bytes
// given.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quilmo::spi {

using TByteSpan = std::span<const uint8_t>;

// Reads numbers, big-endian unless told otherwise, and runs of bytes in order. A read past the
// end gives 0 or nothing and leaves the reader failed.
class TByteReader {
public:
    explicit TByteReader(TByteSpan bytes, bool littleEndian = false) : FBytes(bytes), FLittleEndian(littleEndian) {}

    uint64_t Number(size_t bytes);  // 0 to 8 bytes
    uint8_t U8() { return static_cast<uint8_t>(Number(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Number(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Number(4)); }
    TByteSpan Bytes(size_t count);
    void Skip(size_t count) { Bytes(count); }
    TByteSpan Rest() { return Bytes(Remaining()); }
    // Goes on reading at position from the start.
    void Seek(uint64_t position);

    size_t Remaining() const { return FBytes.size() - FPosition; }
    bool Failed() const { return FFailed; }

private:
    TByteSpan FBytes;
    bool FLittleEndian;
    size_t FPosition = 0;
    bool FFailed = false;
};

}  // namespace quilmo::spi
