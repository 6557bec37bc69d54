// Decoding of RLE8 and RLE4 pixel data into plain rows.

#include <cstring>
#include <string>

#include "dib_utils.h"
#include "errors.h"

namespace quilmo {

namespace {

// A few bytes of codes can describe a huge picture; decoded rows of more than this are refused.
constexpr int64_t kDecodeLimit = int64_t{1} << 30;

// Walks the compressed bytes; running out of them before the end-of-bitmap code is an error.
class TRLEReader {
public:
    TRLEReader(const TDynamicByteArray& data, const char* name) : FData(data), FName(name) {}

    uint8_t Next()
    {
        Need(1);
        return FData[FPosition++];
    }
    const uint8_t* Take(size_t count)
    {
        Need(count);
        const uint8_t* p = FData.data() + FPosition;
        FPosition += count;
        return p;
    }
    [[noreturn]] void Fail(const char* what) const
    {
        throw EDIBUtilsError(std::string(FName) + ": " + what);
    }

private:
    void Need(size_t count) const
    {
        if (FData.size() - FPosition < count) Fail("Unexpected End of RLE Data");
    }

    const TDynamicByteArray& FData;
    const char* FName;
    size_t FPosition = 0;
};

// The header of a decoded result: plain rows of the same bit count.
void FinishResult(const TSepDIB& source, TSepDIB& result, TDynamicByteArray bytes)
{
    TBitmapInfoHeader header = source.Header();
    header.biCompression = BI_RGB;
    header.biSizeImage = 0;
    result.Info = source.Info;
    result.SetHeader(header);
    result.Bits = std::move(bytes);
}

TDynamicByteArray DecodedBuffer(const TSepDIB& source, const TRLEReader& reader)
{
    const int64_t size = source.ImageSize();
    if (size > kDecodeLimit) reader.Fail("Too Big Bitmap");
    return TDynamicByteArray(static_cast<size_t>(size), 0);
}

// What sets RLE8 and RLE4 apart; the code stream itself is read the same way.
struct TRLEFormat {
    const char* Name;
    uint16_t BitCount;
    uint32_t Compression;
    // The messages of encoded runs, end of line, delta and absolute runs that leave the picture.
    const char* BadRun;
    const char* BadEndOfLine;
    const char* BadDelta;
    const char* BadAbsolute;
    // The columns a row may hold.
    int64_t (*RowLimit)(int64_t width);
    // Bytes an absolute run of count pixels takes, padding included.
    size_t (*AbsoluteBytes)(unsigned count);
    // Write count pixels from column x of row: all of value, or the pixels stored in bytes.
    void (*WriteRun)(uint8_t* row, int64_t x, unsigned count, uint8_t value);
    void (*WriteAbsolute)(uint8_t* row, int64_t x, unsigned count, const uint8_t* bytes);
};

// An even column overwrites its byte with the pixel in the high nibble; an odd one adds the
// low nibble.
void PutNibble(uint8_t* row, int64_t x, uint8_t pixel)
{
    uint8_t& byte = row[x / 2];
    byte = x % 2 == 0 ? static_cast<uint8_t>(pixel << 4) : byte | pixel;
}

uint8_t NibbleOf(uint8_t byte, unsigned k) { return k % 2 == 0 ? byte >> 4 : byte & 0x0F; }

const TRLEFormat kRLE8{
    "Convert8BitRLETo8BitRGB", 8, BI_RLE8, "Bad RLE Data 4", "Bad RLE Data 1", "Bad RLE Data 2",
    "Bad RLE Data 3",
    [](int64_t width) { return width; },
    [](unsigned count) -> size_t { return (count + 1) / 2 * 2; },
    [](uint8_t* row, int64_t x, unsigned count, uint8_t value) { std::memset(row + x, value, count); },
    [](uint8_t* row, int64_t x, unsigned count, const uint8_t* bytes) { std::memcpy(row + x, bytes, count); },
};

const TRLEFormat kRLE4{
    "Convert4BitRLETo4BitRGB", 4, BI_RLE4, "Bad RLE Data 8", "Bad RLE Data 5", "Bad RLE Data 6",
    "Bad RLE Data 7",
    [](int64_t width) { return (width + 1) & ~int64_t{1}; },
    [](unsigned count) -> size_t { return (count * 4 + 15) / 16 * 2; },
    [](uint8_t* row, int64_t x, unsigned count, uint8_t value) {
        for (unsigned k = 0; k < count; ++k) PutNibble(row, x + k, NibbleOf(value, k));
    },
    [](uint8_t* row, int64_t x, unsigned count, const uint8_t* bytes) {
        for (unsigned k = 0; k < count; ++k) PutNibble(row, x + k, NibbleOf(bytes[k / 2], k));
    },
};

void DecodeRLE(const TRLEFormat& format, const TSepDIB& source, TSepDIB& result)
{
    const TBitmapInfoHeader header = source.Header();
    TRLEReader in(source.Bits, format.Name);
    if (header.biBitCount != format.BitCount || header.biCompression != format.Compression)
        in.Fail("Invalid Bitcount & Compression Combination");
    const int64_t limit = format.RowLimit(header.biWidth);
    const int64_t height = source.AbsHeight();
    const int64_t stride = source.Stride();
    TDynamicByteArray out = DecodedBuffer(source, in);
    int64_t x = 0, y = 0;
    for (;;) {
        const uint8_t n = in.Next();
        const uint8_t v = in.Next();
        if (n > 0) {
            if (x + n > limit || y >= height) in.Fail(format.BadRun);
            format.WriteRun(out.data() + y * stride, x, n, v);
            x += n;
        } else if (v == 0) {
            ++y;
            if (y > height) in.Fail(format.BadEndOfLine);
            x = 0;
        } else if (v == 1) {
            break;
        } else if (v == 2) {
            x += in.Next();
            y += in.Next();
            if (x > limit || y > height) in.Fail(format.BadDelta);
        } else {
            if (x + v > limit || y >= height) in.Fail(format.BadAbsolute);
            format.WriteAbsolute(out.data() + y * stride, x, v, in.Take(format.AbsoluteBytes(v)));
            x += v;
        }
    }
    FinishResult(source, result, std::move(out));
}

}  // namespace

void Convert8BitRLETo8BitRGB(const TSepDIB& source, TSepDIB& result)
{
    DecodeRLE(kRLE8, source, result);
}

void Convert4BitRLETo4BitRGB(const TSepDIB& source, TSepDIB& result)
{
    DecodeRLE(kRLE4, source, result);
}

}  // namespace quilmo
