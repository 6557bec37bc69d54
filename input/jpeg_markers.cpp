#include "jpeg_markers.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quilmo {

namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kProgressiveHuffman = 0xC2;

// Markers without a length: restarts RST0..RST7, TEM, SOI, and a stuffed zero (FF 00), which
// is entropy-coded data rather than a marker.
bool StandsAlone(uint8_t code)
{
    return code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= kStartOfImage);
}

// SOF0..SOF15 but DHT, JPG and DAC, which share the range.
bool StartsFrame(uint8_t code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Baseline, extended, progressive and lossless Huffman coding. An arithmetic-coded scan reads
// zeros past the end of its data without a word, so only a Huffman scan shows that its data
// was cut.
bool HuffmanCoded(uint8_t frame)
{
    return frame >= 0xC0 && frame <= 0xC3;
}

// Which coefficients of each component of the frame a scan has brought to their last bit.
class TScanCoverage {
public:
    void StartFrame(uint8_t code, const uint8_t* segment, size_t length)
    {
        FFrame = code;
        FComponents.clear();
        if (length < 8) return;
        const size_t count = std::min<size_t>(segment[7], (length - 8) / 3);
        for (size_t i = 0; i < count; ++i) FComponents.push_back({segment[8 + 3 * i], 0});
    }

    void AddScan(const uint8_t* segment, size_t length)
    {
        if (length < 3) return;
        const size_t count = segment[2];
        if (length < 6 + 2 * count) return;
        const uint8_t* spectrum = segment + 3 + 2 * count;
        const uint64_t bits = ScanBits(spectrum[0], spectrum[1], spectrum[2] & 0x0F);
        for (size_t i = 0; i < count; ++i)
            for (TComponent& component : FComponents)
                if (component.Id == segment[3 + 2 * i]) component.Done |= bits;
    }

    // Every scan has begun, and an end cut from their data would show.
    bool Complete() const
    {
        return HuffmanCoded(FFrame) && !FComponents.empty() &&
               std::all_of(FComponents.begin(), FComponents.end(),
                           [](const TComponent& c) { return c.Done == ~uint64_t{0}; });
    }

private:
    struct TComponent {
        uint8_t Id;
        uint64_t Done;  // bit k: coefficient k
    };

    // A sequential or lossless scan holds its components whole; a progressive one the
    // coefficients first..last, to their last bit only when it shifts by nothing.
    uint64_t ScanBits(uint8_t first, uint8_t last, uint8_t shift) const
    {
        if (FFrame != kProgressiveHuffman) return ~uint64_t{0};
        if (shift != 0 || first > last || last > 63) return 0;
        const uint64_t upToLast = last == 63 ? ~uint64_t{0} : (uint64_t{1} << (last + 1)) - 1;
        return upToLast & ~((uint64_t{1} << first) - 1);
    }

    uint8_t FFrame = 0;
    std::vector<TComponent> FComponents;
};

}  // namespace

TJpegEnding JpegEnding(std::span<const uint8_t> bytes)
{
    const uint8_t* data = bytes.data();
    const size_t size = bytes.size();
    if (size < 2 || data[0] != 0xFF || data[1] != kStartOfImage) return TJpegEnding::Complete;
    TScanCoverage coverage;
    // The bytes ran out between segments or in the data of a scan.
    auto endOfData = [&] {
        return coverage.Complete() ? TJpegEnding::EndMarkerMissing : TJpegEnding::Truncated;
    };
    size_t pos = 2;
    for (;;) {
        // Anything up to the next 0xFF is entropy-coded data (or bytes the decoder skips).
        const void* next = std::memchr(data + pos, 0xFF, size - pos);
        if (!next) return endOfData();
        pos = static_cast<size_t>(static_cast<const uint8_t*>(next) - data) + 1;
        while (pos < size && data[pos] == 0xFF) ++pos;
        if (pos >= size) return endOfData();
        const uint8_t code = data[pos++];
        if (code == kEndOfImage) return TJpegEnding::Complete;
        if (StandsAlone(code)) continue;
        if (size - pos < 2) return TJpegEnding::Truncated;
        const size_t length = size_t{data[pos]} << 8 | data[pos + 1];
        if (length < 2) return TJpegEnding::Complete;
        if (length > size - pos) return TJpegEnding::Truncated;
        if (StartsFrame(code)) coverage.StartFrame(code, data + pos, length);
        if (code == kStartOfScan) coverage.AddScan(data + pos, length);
        pos += length;
    }
}

}  // namespace quilmo
