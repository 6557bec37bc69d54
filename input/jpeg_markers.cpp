#include "jpeg_markers.h"

#include <cstring>

namespace quilmo {

namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;

// Markers without a length: restarts RST0..RST7, TEM, SOI, and a stuffed zero (FF 00), which
// is entropy-coded data rather than a marker.
bool StandsAlone(uint8_t code)
{
    return code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= kStartOfImage);
}

}  // namespace

bool JpegEndsEarly(std::span<const uint8_t> bytes)
{
    const uint8_t* data = bytes.data();
    const size_t size = bytes.size();
    if (size < 2 || data[0] != 0xFF || data[1] != kStartOfImage) return false;
    size_t pos = 2;
    for (;;) {
        // Anything up to the next 0xFF is entropy-coded data (or bytes the decoder skips).
        const void* next = std::memchr(data + pos, 0xFF, size - pos);
        if (!next) return true;
        pos = static_cast<size_t>(static_cast<const uint8_t*>(next) - data) + 1;
        while (pos < size && data[pos] == 0xFF) ++pos;
        if (pos >= size) return true;
        const uint8_t code = data[pos++];
        if (code == kEndOfImage) return false;
        if (StandsAlone(code)) continue;
        if (size - pos < 2) return true;
        const size_t length = size_t{data[pos]} << 8 | data[pos + 1];
        if (length < 2) return false;
        if (length > size - pos) return true;
        pos += length;
    }
}

}  // namespace quilmo
