#include "plugins/pnm/pnm_reader.h"

#include <cstring>
#include <limits>

#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

namespace {

constexpr uint32_t kMaxDimension = std::numeric_limits<int32_t>::max();
constexpr uint32_t kMaxLevels = 65535;

bool IsSeparator(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Reads the header fields and samples of a Netpbm file; every read stops at the end of the data.
class TPnmScanner {
public:
    TPnmScanner(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    size_t Remaining() const { return FSize - FPosition; }

    // A decimal number after separators and comments; false when there is none or it is above limit.
    bool ReadNumber(uint32_t limit, uint32_t& value)
    {
        SkipSeparators();
        if (FPosition == FSize || !IsDigit(FData[FPosition])) return false;
        // Wide enough for limit * 10 + 9, so the comparison never wraps.
        uint64_t number = 0;
        while (FPosition < FSize && IsDigit(FData[FPosition])) {
            number = number * 10 + (FData[FPosition++] - '0');
            if (number > limit) return false;
        }
        value = static_cast<uint32_t>(number);
        return true;
    }

    // A plain PBM pixel: "0" or "1", with or without separators between pixels.
    bool ReadBit(uint32_t& value)
    {
        SkipSeparators();
        if (FPosition == FSize || (FData[FPosition] != '0' && FData[FPosition] != '1')) return false;
        value = FData[FPosition++] - '0';
        return true;
    }

    // A raw sample of one or two bytes, most significant first.
    bool ReadRaw(int bytes, uint32_t& value)
    {
        if (Remaining() < static_cast<size_t>(bytes)) return false;
        value = 0;
        for (int i = 0; i < bytes; ++i) value = value << 8 | FData[FPosition++];
        return true;
    }

    const uint8_t* ReadBytes(size_t count)
    {
        if (Remaining() < count) return nullptr;
        const uint8_t* at = FData + FPosition;
        FPosition += count;
        return at;
    }

    // The single separator between the header and raw samples.
    bool SkipSingleSeparator()
    {
        if (FPosition == FSize || !IsSeparator(FData[FPosition])) return false;
        ++FPosition;
        return true;
    }

private:
    static bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

    void SkipSeparators()
    {
        while (FPosition < FSize) {
            if (FData[FPosition] == '#') {
                while (FPosition < FSize && FData[FPosition] != '\n' && FData[FPosition] != '\r') ++FPosition;
            } else if (IsSeparator(FData[FPosition])) {
                ++FPosition;
            } else {
                break;
            }
        }
    }

    const uint8_t* FData;
    size_t FSize;
    size_t FPosition = 0;
};

struct TPnmFormat {
    bool Raw = false;
    bool Bitmap = false;  // PBM: one bit per pixel, 1 is black
    int Channels = 1;     // 3 for PPM
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint32_t MaxValue = 1;

    int DibBits() const { return Bitmap ? 1 : 8 * Channels; }
    int SampleBytes() const { return MaxValue > 255 ? 2 : 1; }
    // The least number of bytes one row of samples takes in the file.
    uint64_t MinRowBytes() const
    {
        if (Bitmap && Raw) return (uint64_t{Width} + 7) / 8;
        return uint64_t{Width} * Channels * (Raw ? SampleBytes() : 1);
    }
};

int32_t ReadHeader(TPnmScanner& scanner, char type, TPnmFormat& format)
{
    format.Raw = type >= '4';
    format.Bitmap = type == '1' || type == '4';
    format.Channels = type == '3' || type == '6' ? 3 : 1;
    if (!scanner.ReadNumber(kMaxDimension, format.Width) || format.Width == 0) return kBrokenData;
    if (!scanner.ReadNumber(kMaxDimension, format.Height) || format.Height == 0) return kBrokenData;
    if (!format.Bitmap && (!scanner.ReadNumber(kMaxLevels, format.MaxValue) || format.MaxValue == 0))
        return kBrokenData;
    if (format.Raw && !scanner.SkipSingleSeparator()) return kBrokenData;
    // Refuse sizes above the limit, or that the data cannot fill, before allocating anything.
    if (!PicturePixelsAllowed(format.Width, format.Height)) return kOutOfMemory;
    if (format.Height > scanner.Remaining() / format.MinRowBytes()) return kBrokenData;
    return 0;
}

bool ReadSample(TPnmScanner& scanner, const TPnmFormat& format, uint32_t& value)
{
    if (format.Bitmap) return scanner.ReadBit(value);
    if (!format.Raw) return scanner.ReadNumber(format.MaxValue, value);
    return scanner.ReadRaw(format.SampleBytes(), value) && value <= format.MaxValue;
}

uint8_t ToByte(uint32_t sample, uint32_t maxValue)
{
    return static_cast<uint8_t>((sample * 255 + maxValue / 2) / maxValue);
}

// One picture row into one DIB row: bits from the most significant one, grey bytes, or blue,
// green, red.
bool ReadRow(TPnmScanner& scanner, const TPnmFormat& format, uint8_t* row)
{
    if (format.Bitmap && format.Raw) {
        const size_t bytes = (format.Width + size_t{7}) / 8;
        const uint8_t* from = scanner.ReadBytes(bytes);
        if (from) std::memcpy(row, from, bytes);
        return from != nullptr;
    }
    uint32_t sample[3];
    for (uint32_t x = 0; x < format.Width; ++x) {
        for (int c = 0; c < format.Channels; ++c)
            if (!ReadSample(scanner, format, sample[c])) return false;
        if (format.Bitmap) {
            if (sample[0]) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        } else if (format.Channels == 1) {
            row[x] = ToByte(sample[0], format.MaxValue);
        } else {
            for (int c = 0; c < 3; ++c) row[3 * size_t{x} + 2 - c] = ToByte(sample[c], format.MaxValue);
        }
    }
    return true;
}

// The info block: header and colour table (white and black for PBM, a grey ramp for PGM).
void WriteInfo(const TPnmFormat& format, uint64_t imageSize, uint32_t colours, uint8_t* info)
{
    PutLE32(info, kInfoHeaderSize);
    PutLE32(info + 4, format.Width);
    PutLE32(info + 8, format.Height);
    info[12] = 1;
    info[14] = static_cast<uint8_t>(format.DibBits());
    PutLE32(info + 20, imageSize <= std::numeric_limits<uint32_t>::max() ? static_cast<uint32_t>(imageSize) : 0);
    PutLE32(info + 32, colours);
    uint8_t* entry = info + kInfoHeaderSize;
    for (uint32_t i = 0; i < colours; ++i, entry += 4) {
        const uint8_t level = format.Bitmap ? (i == 0 ? 255 : 0) : static_cast<uint8_t>(i);
        entry[0] = entry[1] = entry[2] = level;
    }
}

}  // namespace

bool LooksLikePnm(const uint8_t* data, size_t size)
{
    return data && size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '6' &&
           (IsSeparator(data[2]) || data[2] == '#');
}

int32_t DecodePnm(const uint8_t* data, size_t size, TDibBlocks& blocks)
{
    if (!LooksLikePnm(data, size)) return kUnknownFormat;
    TPnmScanner scanner(data + 2, size - 2);
    TPnmFormat format;
    if (const int32_t code = ReadHeader(scanner, static_cast<char>(data[1]), format)) return code;

    const uint64_t stride = (uint64_t{format.Width} * format.DibBits() + 31) / 32 * 4;
    const uint32_t colours = format.Bitmap ? 2 : format.Channels == 1 ? 256 : 0;
    TDibBlocks result;
    if (!result.Info.Allocate(kInfoHeaderSize + 4 * colours) || !result.Bits.Allocate(stride * format.Height))
        return kOutOfMemory;
    WriteInfo(format, stride * format.Height, colours, result.Info.Data.get());
    // Netpbm rows run top to bottom, DIB rows bottom to top.
    for (uint32_t y = 0; y < format.Height; ++y)
        if (!ReadRow(scanner, format, result.Bits.Data.get() + (format.Height - 1 - y) * stride))
            return kBrokenData;
    blocks = std::move(result);
    return 0;
}

}  // namespace quilmo::spi
