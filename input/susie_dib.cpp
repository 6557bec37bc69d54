#include "susie_dib.h"

#include <cstring>
#include <exception>
#include <limits>
#include <utility>

#include "bigbitmap/dib_utils.h"
#include "bigbitmap/le_bytes.h"
#include "bigbitmap/pixel_limit.h"
#include "color/dib_color_space.h"

namespace quilmo {

namespace {

constexpr size_t kMasksSize = 12;

TBitmapInfoHeader ParseHeader(const uint8_t* info)
{
    TSepDIB dib;
    std::memcpy(dib.Info.data(), info, kInfoHeaderSize);
    return dib.Header();
}

bool IsKnownBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool IsRunLength(const TBitmapInfoHeader& h)
{
    return (h.biCompression == BI_RLE8 && h.biBitCount == 8) || (h.biCompression == BI_RLE4 && h.biBitCount == 4);
}

// What a valid header and its blocks hold, checked.
struct TBlockLayout {
    TBitmapInfoHeader Header;
    bool Masked = false;          // pixels must be decoded through colour masks
    bool RunLength = false;       // the bits block holds RLE codes
    size_t MasksOffset = 0;       // where the masks are in the info block
    size_t ColoursOffset = 0;     // where the colour table is in the info block
    uint32_t Colours = 0;         // colour entries the table holds
    int64_t Stride = 0;
    int32_t Rows = 0;
    size_t BitsUsed = 0;          // the bytes of the bits block that are read
};

int32_t CheckBlocks(const uint8_t* info, size_t infoSize, const uint8_t* bits, size_t bitsSize,
                    TBlockLayout& layout)
{
    if (!info || infoSize < kInfoHeaderSize) return kSusieDataBroken;
    TBitmapInfoHeader& h = layout.Header;
    h = ParseHeader(info);
    if (h.biSize < kInfoHeaderSize) return kSusieCannotTransfer;
    if (h.biSize > infoSize) return kSusieDataBroken;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == std::numeric_limits<int32_t>::min())
        return kSusieCannotTransfer;
    if (!IsKnownBitCount(h.biBitCount)) return kSusieCannotTransfer;
    const bool bitFields = h.biCompression == BI_BITFIELDS;
    layout.RunLength = IsRunLength(h);
    if (h.biCompression != BI_RGB && !layout.RunLength && !(bitFields && (h.biBitCount == 16 || h.biBitCount == 32)))
        return kSusieCannotTransfer;
    // Compressed rows are stored bottom-up only.
    if (layout.RunLength && h.biHeight < 0) return kSusieCannotTransfer;

    layout.Masked = bitFields || h.biBitCount == 16;
    layout.MasksOffset = kInfoHeaderSize;
    layout.ColoursOffset = h.biSize + (bitFields && h.biSize == kInfoHeaderSize ? kMasksSize : 0);
    if (bitFields && infoSize < kInfoHeaderSize + kMasksSize) return kSusieDataBroken;
    if (h.biBitCount <= 8) {
        const uint32_t most = 1u << h.biBitCount;
        layout.Colours = h.biClrUsed == 0 || h.biClrUsed > most ? most : h.biClrUsed;
    }
    if (layout.ColoursOffset > infoSize || (infoSize - layout.ColoursOffset) / 4 < layout.Colours)
        return kSusieDataBroken;

    layout.Stride = DIBStride(h.biBitCount, h.biWidth);
    layout.Rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (!bits) return kSusieDataBroken;
    if (layout.RunLength) {
        // The image size is that of the codes; without one, the codes may run to the block's end.
        layout.BitsUsed = h.biSizeImage != 0 ? h.biSizeImage : bitsSize;
        return layout.BitsUsed > bitsSize ? kSusieDataBroken : 0;
    }
    if (static_cast<uint64_t>(layout.Rows) > bitsSize / static_cast<uint64_t>(layout.Stride)) return kSusieDataBroken;
    layout.BitsUsed = static_cast<size_t>(layout.Stride * layout.Rows);
    return 0;
}

TPalette ColourTable(const uint8_t* info, const TBlockLayout& layout)
{
    TPalette palette(size_t{1} << layout.Header.biBitCount);
    const uint8_t* entry = info + layout.ColoursOffset;
    for (uint32_t i = 0; i < layout.Colours; ++i, entry += 4)
        palette[i] = {entry[2], entry[1], entry[0], entry[3]};
    return palette;
}

// Masked pixels decoded to 24-bit rows, and RLE codes to plain rows of their bit count, the way
// BMP files are read; rows in the block's order.
TSepDIB DecodeRows(const uint8_t* info, const uint8_t* bits, const TBlockLayout& layout)
{
    TSepDIB source;
    TBitmapInfoHeader header = layout.Header;
    header.biSize = kInfoHeaderSize;
    header.biClrUsed = 0;
    source.SetHeader(header);
    if (header.biCompression == BI_BITFIELDS)
        std::memcpy(source.Info.data() + kInfoHeaderSize, info + layout.MasksOffset, kMasksSize);
    source.Bits.assign(bits, bits + layout.BitsUsed);
    NormalizeDIB(source);
    return source;
}

}  // namespace

int32_t SusieBlocksToBitmap(const uint8_t* info, size_t infoSize, const uint8_t* bits,
                            size_t bitsSize, TBitmap& bitmap)
{
    TBlockLayout layout;
    if (const int32_t code = CheckBlocks(info, infoSize, bits, bitsSize, layout)) return code;
    const TBitmapInfoHeader& h = layout.Header;
    CheckPicturePixels(h.biWidth, layout.Rows);
    try {
        TSepDIB decoded;
        const uint8_t* rows = bits;
        int64_t stride = layout.Stride;
        TPixelFormat format = PixelFormatFromBits(h.biBitCount);
        if (layout.Masked || layout.RunLength) {
            decoded = DecodeRows(info, bits, layout);
            rows = decoded.Bits.data();
            stride = decoded.Stride();
            format = PixelFormatFromBits(decoded.Header().biBitCount);
        }
        TPalette palette = IsIndexedFormat(format) ? ColourTable(info, layout) : TPalette{};
        bitmap.Allocate(h.biWidth, layout.Rows, format);
        const bool bottomUp = h.biHeight > 0;
        for (int32_t r = 0; r < layout.Rows; ++r) {
            const int32_t stored = bottomUp ? layout.Rows - 1 - r : r;
            std::memcpy(bitmap.ScanLine(r), rows + stored * stride, static_cast<size_t>(stride));
        }
        if (IsIndexedFormat(format)) bitmap.SetPalette(std::move(palette));
    } catch (const std::exception&) {
        // Out of memory, masks that select no bits, or RLE codes that leave the picture.
        return kSusieCannotTransfer;
    }
    return 0;
}

TColorProfile SusieBlockProfile(const uint8_t* info, size_t infoSize)
{
    if (!info || infoSize < kV5HeaderSize || GetLE32(info) < kV5HeaderSize) return {};
    const TDIBColorSpace colours = ParseDIBColorSpace(info, kV5HeaderSize);
    if (colours.CSType != PROFILE_EMBEDDED) return {};
    if (colours.ProfileData > infoSize || colours.ProfileSize > infoSize - colours.ProfileData) return {};
    return RgbProfile({info + colours.ProfileData, colours.ProfileSize});
}

}  // namespace quilmo
