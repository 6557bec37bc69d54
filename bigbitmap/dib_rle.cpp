// Decoding of RLE8 and RLE4 pixel data into plain rows.

#include <cstring>
#include <string>

#include "dib_utils.h"
#include "errors.h"

namespace quilmo {

namespace {

int64_t gDecodeLimit = int64_t{1} << 30;

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
    if (size > gDecodeLimit) reader.Fail("Too Big Bitmap");
    return TDynamicByteArray(static_cast<size_t>(size), 0);
}

}  // namespace

int64_t RLEDecodeLimit() { return gDecodeLimit; }
void SetRLEDecodeLimit(int64_t bytes) { gDecodeLimit = bytes; }

void Convert8BitRLETo8BitRGB(const TSepDIB& source, TSepDIB& result)
{
    const TBitmapInfoHeader header = source.Header();
    TRLEReader in(source.Bits, "Convert8BitRLETo8BitRGB");
    if (header.biBitCount != 8 || header.biCompression != BI_RLE8)
        in.Fail("Invalid Bitcount & Compression Combination");
    const int64_t width = header.biWidth;
    const int64_t height = source.AbsHeight();
    const int64_t stride = source.Stride();
    TDynamicByteArray out = DecodedBuffer(source, in);
    int64_t x = 0, y = 0;
    for (;;) {
        const uint8_t n = in.Next();
        const uint8_t v = in.Next();
        if (n > 0) {
            x += n;
            if (x > width || y >= height) in.Fail("Bad RLE Data 4");
            std::memset(out.data() + y * stride + x - n, v, n);
        } else if (v == 0) {
            ++y;
            if (y > height) in.Fail("Bad RLE Data 1");
            x = 0;
        } else if (v == 1) {
            break;
        } else if (v == 2) {
            x += in.Next();
            y += in.Next();
            if (x > width || y > height) in.Fail("Bad RLE Data 2");
        } else {
            x += v;
            if (x > width || y >= height) in.Fail("Bad RLE Data 3");
            const uint8_t* pixels = in.Take((v + 1u) / 2 * 2);
            std::memcpy(out.data() + y * stride + x - v, pixels, v);
        }
    }
    FinishResult(source, result, std::move(out));
}

void Convert4BitRLETo4BitRGB(const TSepDIB& source, TSepDIB& result)
{
    const TBitmapInfoHeader header = source.Header();
    TRLEReader in(source.Bits, "Convert4BitRLETo4BitRGB");
    if (header.biBitCount != 4 || header.biCompression != BI_RLE4)
        in.Fail("Invalid Bitcount & Compression Combination");
    const int64_t evenWidth = (int64_t{header.biWidth} + 1) & ~int64_t{1};
    const int64_t height = source.AbsHeight();
    const int64_t stride = source.Stride();
    TDynamicByteArray out = DecodedBuffer(source, in);
    int64_t x = 0, y = 0;
    // An even column overwrites its byte with the pixel in the high nibble; an odd one adds
    // the low nibble.
    const auto put = [&](int64_t column, uint8_t pixel) {
        uint8_t& byte = out[static_cast<size_t>(y * stride + column / 2)];
        byte = column % 2 == 0 ? static_cast<uint8_t>(pixel << 4) : byte | pixel;
    };
    for (;;) {
        const uint8_t n = in.Next();
        const uint8_t v = in.Next();
        if (n > 0) {
            if (x + n > evenWidth || y >= height) in.Fail("Bad RLE Data 8");
            for (int k = 0; k < n; ++k) put(x + k, k % 2 == 0 ? v >> 4 : v & 0x0F);
            x += n;
        } else if (v == 0) {
            ++y;
            if (y > height) in.Fail("Bad RLE Data 5");
            x = 0;
        } else if (v == 1) {
            break;
        } else if (v == 2) {
            x += in.Next();
            y += in.Next();
            if (x > evenWidth || y > height) in.Fail("Bad RLE Data 6");
        } else {
            if (x + v > evenWidth || y >= height) in.Fail("Bad RLE Data 7");
            const uint8_t* pixels = in.Take((v * 4u + 15) / 16 * 2);
            for (int k = 0; k < v; ++k)
                put(x + k, k % 2 == 0 ? pixels[k / 2] >> 4 : pixels[k / 2] & 0x0F);
            x += v;
        }
    }
    FinishResult(source, result, std::move(out));
}

}  // namespace quilmo
