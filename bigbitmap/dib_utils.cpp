#include "dib_utils.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "errors.h"
#include "le_bytes.h"
#include "pixel_limit.h"
#include "stream.h"

namespace quilmo {

namespace {

constexpr int kMasksSize = 12;

int64_t gSizeLimit = std::numeric_limits<int64_t>::max();

bool IsIndexedBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8; }

// The bytes of colour entries (4 each) that follow a header, at most 256 entries.
int64_t ColourAreaBytes(uint32_t coloursUsed) { return std::min<uint32_t>(coloursUsed, 256) * 4; }

// Returns the header's colour fields, which the normalised header no longer holds.
TDIBColorSpace ReadInfoHeader(TSepDIB& dib, TStream& stream, uint32_t headerSize)
{
    if (headerSize > kInfoAreaSize)
        throw EDIBUtilsError("LoadDIBFromStream: Invalid Bitmap Header Size");
    stream.ReadBuffer(dib.Info.data() + 4, headerSize - 4);
    const TDIBColorSpace colourSpace = ParseDIBColorSpace(dib.Info.data(), headerSize);
    TBitmapInfoHeader header = dib.Header();
    switch (header.biBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: throw EDIBUtilsError("LoadDIBFromStream: Invalid BitCout");
    }
    if (header.biClrUsed == 0 && IsIndexedBitCount(header.biBitCount))
        header.biClrUsed = 1u << header.biBitCount;
    const int64_t colours = ColourAreaBytes(header.biClrUsed);
    if (header.biCompression != BI_BITFIELDS && header.biCompression != BI_ALPHABITFIELDS) {
        stream.ReadBuffer(dib.Info.data() + kInfoHeaderSize, colours);
    } else {
        // The masks follow a 40-byte header; a longer one carries them in its bytes 40 to 51.
        // An alpha mask is passed over: pictures are loaded without alpha.
        if (headerSize == kInfoHeaderSize) {
            uint8_t masks[16];
            stream.ReadBuffer(masks, MasksAfterInfoHeader(header.biCompression));
            std::memcpy(dib.Info.data() + kInfoHeaderSize, masks, kMasksSize);
        }
        stream.ReadBuffer(dib.Info.data() + kInfoHeaderSize + kMasksSize, colours);
        header.biCompression = BI_BITFIELDS;
    }
    header.biClrUsed = std::min<uint32_t>(header.biClrUsed, 256);
    header.biSize = kInfoHeaderSize;
    dib.SetHeader(header);
    return colourSpace;
}

void ReadCoreHeader(TSepDIB& dib, TStream& stream)
{
    uint8_t core[8];
    stream.ReadBuffer(core, sizeof core);
    const uint16_t bits = GetLE16(core + 6);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        throw EDIBUtilsError("TBigBitmap.LoadFromStream: Invalid BitCount");
    const int colours = bits == 24 ? 0 : 1 << bits;
    uint8_t triples[256 * 3];
    stream.ReadBuffer(triples, colours * 3);
    TBitmapInfoHeader header;
    header.biSize = kInfoHeaderSize;
    header.biWidth = GetLE16(core);
    header.biHeight = GetLE16(core + 2);
    header.biPlanes = GetLE16(core + 4);
    header.biBitCount = bits;
    header.biClrUsed = static_cast<uint32_t>(colours);
    dib.SetHeader(header);
    uint8_t* entry = dib.Info.data() + kInfoHeaderSize;
    for (int i = 0; i < colours; ++i, entry += 4) {
        std::memcpy(entry, triples + 3 * i, 3);
        entry[3] = 0;
    }
}

void CheckGeometry(const TBitmapInfoHeader& header)
{
    if (header.biWidth <= 0) throw EDIBUtilsError("LoadDIBFromStream: Invalid Width");
    if (header.biHeight == 0 || header.biHeight == std::numeric_limits<int32_t>::min())
        throw EDIBUtilsError("LoadDIBFromStream: Invalid Height");
    // Bit fields only mean something for 16 and 32 bits (OS/2 used the same number for 1-bit
    // Huffman pictures).
    if (header.biCompression > BI_BITFIELDS ||
        (header.biCompression == BI_BITFIELDS && header.biBitCount != 16 && header.biBitCount != 32))
        throw EDIBUtilsError("LoadDIBFromStream: Unsupported Compression");
}

}  // namespace

void SetDIBSizeLimit(int64_t bytes) { gSizeLimit = bytes; }

int MasksAfterInfoHeader(uint32_t compression)
{
    switch (compression) {
    case BI_BITFIELDS: return kMasksSize;
    case BI_ALPHABITFIELDS: return kMasksSize + 4;
    default: return 0;
    }
}

TBitmapInfoHeader TSepDIB::Header() const
{
    const uint8_t* p = Info.data();
    TBitmapInfoHeader h;
    h.biSize = GetLE32(p);
    h.biWidth = static_cast<int32_t>(GetLE32(p + 4));
    h.biHeight = static_cast<int32_t>(GetLE32(p + 8));
    h.biPlanes = GetLE16(p + 12);
    h.biBitCount = GetLE16(p + 14);
    h.biCompression = GetLE32(p + 16);
    h.biSizeImage = GetLE32(p + 20);
    h.biXPelsPerMeter = static_cast<int32_t>(GetLE32(p + 24));
    h.biYPelsPerMeter = static_cast<int32_t>(GetLE32(p + 28));
    h.biClrUsed = GetLE32(p + 32);
    h.biClrImportant = GetLE32(p + 36);
    return h;
}

void TSepDIB::SetHeader(const TBitmapInfoHeader& h)
{
    uint8_t* p = Info.data();
    PutLE32(p, h.biSize);
    PutLE32(p + 4, static_cast<uint32_t>(h.biWidth));
    PutLE32(p + 8, static_cast<uint32_t>(h.biHeight));
    PutLE16(p + 12, h.biPlanes);
    PutLE16(p + 14, h.biBitCount);
    PutLE32(p + 16, h.biCompression);
    PutLE32(p + 20, h.biSizeImage);
    PutLE32(p + 24, static_cast<uint32_t>(h.biXPelsPerMeter));
    PutLE32(p + 28, static_cast<uint32_t>(h.biYPelsPerMeter));
    PutLE32(p + 32, h.biClrUsed);
    PutLE32(p + 36, h.biClrImportant);
}

int64_t TSepDIB::Stride() const
{
    const TBitmapInfoHeader h = Header();
    return DIBStride(h.biBitCount, h.biWidth);
}

int64_t TSepDIB::AbsHeight() const
{
    const int64_t height = Header().biHeight;
    return height < 0 ? -height : height;
}

int64_t TSepDIB::ImageSize() const
{
    int64_t size;
    if (__builtin_mul_overflow(Stride(), AbsHeight(), &size)) return std::numeric_limits<int64_t>::max();
    return size;
}

int TSepDIB::ColorsOffset() const
{
    return kInfoHeaderSize + (Header().biCompression == BI_BITFIELDS ? kMasksSize : 0);
}

TDIBHeader ReadDIBHeader(TStream& stream)
{
    TDIBHeader result;
    const int64_t start = stream.Position();
    uint8_t fileHeader[kFileHeaderSize];
    stream.ReadBuffer(fileHeader, kFileHeaderSize);
    if (GetLE16(fileHeader) != kBitmapFileType)
        throw EDIBUtilsError("LoadDIBFromStream: File type is invalid");
    const uint32_t fileSize = GetLE32(fileHeader + 2);
    const uint32_t dataOffset = GetLE32(fileHeader + 10);

    TSepDIB& dib = result.Dib;
    stream.ReadBuffer(dib.Info.data(), 4);
    const uint32_t headerSize = GetLE32(dib.Info.data());
    if (headerSize >= kInfoHeaderSize)
        result.ColorSpace = ReadInfoHeader(dib, stream, headerSize);
    else if (headerSize == kCoreHeaderSize)
        ReadCoreHeader(dib, stream);
    else
        throw EDIBUtilsError("LoadDIBFromStream: Invalid Bitmap Header Size");
    CheckGeometry(dib.Header());
    CheckPicturePixels(dib.Header().biWidth, dib.AbsHeight());
    if (dib.ImageSize() > gSizeLimit) throw EDIBUtilsError("LoadDIBFromStream: Too Big Bitmap");

    if (stream.Seek(start + dataOffset, TSeekOrigin::soBeginning) != start + dataOffset)
        throw EDIBUtilsError("LoadDIBFromStream: Unexpected End of Stream");
    result.DataLength = int64_t{fileSize} - dataOffset;
    return result;
}

void ReadDIBBits(TDIBHeader& header, TStream& stream)
{
    const TBitmapInfoHeader info = header.Dib.Header();
    const int64_t remaining = stream.Remaining();
    int64_t length;
    if (info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4) {
        // Compressed data runs to its end-of-bitmap code; trust the file size only as far
        // as the stream goes.
        length = header.DataLength > 0 && header.DataLength <= remaining ? header.DataLength
                                                                          : remaining;
    } else {
        length = header.Dib.ImageSize();
        if (length > remaining) throw EDIBUtilsError("LoadDIBFromStream: Pixel Data is Too Short");
    }
    header.Dib.Bits.resize(static_cast<size_t>(length));
    stream.ReadBuffer(header.Dib.Bits.data(), length);
}

void LoadDIBFromStream(TSepDIB& dib, TStream& stream)
{
    TDIBHeader header = ReadDIBHeader(stream);
    ReadDIBBits(header, stream);
    dib = std::move(header.Dib);
}

void ConvertBitFieldsTo24BitRGB(const TSepDIB& source, TSepDIB& result)
{
    TBitmapInfoHeader header = source.Header();
    const int bits = header.biBitCount;
    if (bits != 16 && bits != 32)
        throw EDIBUtilsError("ConvertBitFieldsTo24BitRGB: Invalid BitCount");
    const int64_t width = header.biWidth;
    const int64_t height = source.AbsHeight();
    const int64_t sourceStride = bits == 16 ? (2 * width + 3) & ~int64_t{3} : 4 * width;
    const int64_t resultStride = (3 * width + 3) & ~int64_t{3};
    if (static_cast<int64_t>(source.Bits.size()) < source.ImageSize())
        throw EDIBUtilsError("LoadDIBFromStream: Pixel Data is Too Short");

    uint32_t masks[3];  // red, green, blue
    if (header.biCompression != BI_RGB) {
        for (int c = 0; c < 3; ++c) masks[c] = GetLE32(source.Info.data() + kInfoHeaderSize + 4 * c);
    } else if (bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    int shifts[3];
    uint32_t normalised[3];
    for (int c = 0; c < 3; ++c) {
        if (masks[c] == 0) throw EDIBUtilsError("TBigBitmap.LoadFromStream: Invalid Masks");
        uint32_t v = masks[c];
        int s = 0;
        while (v >= 256) v >>= 1, ++s;
        while (v < 128) v <<= 1, --s;
        shifts[c] = s;
        normalised[c] = v;
    }

    TDynamicByteArray bytes(static_cast<size_t>(resultStride * height));
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* from = source.Bits.data() + y * sourceStride;
        uint8_t* to = bytes.data() + y * resultStride;
        for (int64_t x = 0; x < width; ++x) {
            const uint32_t p = bits == 16 ? GetLE16(from + 2 * x) : GetLE32(from + 4 * x);
            for (int c = 0; c < 3; ++c) {
                const uint32_t masked = p & masks[c];
                const uint32_t t = shifts[c] >= 0 ? masked >> shifts[c] : masked << -shifts[c];
                to[3 * x + 2 - c] = static_cast<uint8_t>(t * 255 / normalised[c]);
            }
        }
    }

    result.Info = source.Info;
    if (header.biCompression == BI_BITFIELDS)
        std::memmove(result.Info.data() + kInfoHeaderSize,
                     result.Info.data() + kInfoHeaderSize + kMasksSize, 1024);
    header.biCompression = BI_RGB;
    header.biBitCount = 24;
    header.biSizeImage = 0;
    result.SetHeader(header);
    result.Bits = std::move(bytes);
}

void NormalizeDIB(TSepDIB& dib)
{
    if (dib.Header().biBitCount == 16 || dib.Header().biBitCount == 32) {
        TSepDIB converted;
        ConvertBitFieldsTo24BitRGB(dib, converted);
        dib = std::move(converted);
    }
    const uint32_t compression = dib.Header().biCompression;
    if (compression == BI_RLE4 || compression == BI_RLE8) {
        TSepDIB decoded;
        if (compression == BI_RLE4)
            Convert4BitRLETo4BitRGB(dib, decoded);
        else
            Convert8BitRLETo8BitRGB(dib, decoded);
        dib = std::move(decoded);
    }
    if (static_cast<int64_t>(dib.Bits.size()) < dib.ImageSize())
        throw EDIBUtilsError("LoadDIBFromStream: Pixel Data is Too Short");
}

TPalette CreateDIBPalette(const TSepDIB& dib)
{
    const TBitmapInfoHeader header = dib.Header();
    uint32_t count = header.biClrUsed;
    if (count == 0 && IsIndexedBitCount(header.biBitCount)) count = 1u << header.biBitCount;
    count = std::min<uint32_t>(count, 256);
    TPalette palette(count);
    const uint8_t* entry = dib.Info.data() + dib.ColorsOffset();
    for (uint32_t i = 0; i < count; ++i, entry += 4) palette[i] = {entry[2], entry[1], entry[0], 0};
    return palette;
}

}  // namespace quilmo
