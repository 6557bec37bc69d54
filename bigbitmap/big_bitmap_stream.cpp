// TBigBitmap's BMP stream and packed-DIB clipboard forms.

#include <climits>
#include <cstring>
#include <new>

#include "big_bitmap.h"
#include "dib_utils.h"
#include "dib_writer.h"
#include "errors.h"
#include "le_bytes.h"
#include "stream.h"

namespace quilmo {

namespace {

// Rows that can go from the stream straight into the bands.
bool HasPlainRows(const TBitmapInfoHeader& info)
{
    return info.biBitCount != 16 && info.biBitCount != 32 &&
           (info.biCompression == BI_RGB || info.biCompression == BI_BITFIELDS);
}

void ReadBandsFromStream(TBitmapArray& bands, TStream& stream, int64_t stride, bool bottomUp)
{
    const int64_t start = stream.Position();
    if (bottomUp) {
        // Bottom-up rows are the band memory as it is: one block per band, last band first.
        int64_t offset = 0;
        for (auto it = bands.rbegin(); it != bands.rend(); ++it) {
            TBitmap& band = **it;
            const int64_t bytes = stride * band.GetHeight();
            stream.SetPosition(start + offset);
            stream.ReadBuffer(band.Bits(), bytes);
            offset += bytes;
        }
    } else {
        for (auto& band : bands)
            for (int32_t r = 0; r < band->GetHeight(); ++r) stream.ReadBuffer(band->ScanLine(r), stride);
    }
}

}  // namespace

void TBigBitmap::LoadFromStream(TStream& stream)
{
    TDIBHeader header = ReadDIBHeader(stream);
    TBitmapInfoHeader info = header.Dib.Header();
    const int bits = info.biBitCount == 16 || info.biBitCount == 32 ? 24 : info.biBitCount;
    if (!RowFitsBand(bits, info.biWidth))
        throw EBigBitmapError("TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits");
    const int64_t stride = DIBStride(bits, info.biWidth);
    const auto height = static_cast<int32_t>(header.Dib.AbsHeight());
    const TBBPixelFormat format = PixelFormatToBBPixelFormat(PixelFormatFromBits(bits));

    TBitmapArray bands;
    if (HasPlainRows(info)) {
        if (stream.Remaining() < stride * height)
            throw EDIBUtilsError("LoadDIBFromStream: Pixel Data is Too Short");
        bands = BuildBands(info.biWidth, height, format);
        ReadBandsFromStream(bands, stream, stride, info.biHeight > 0);
    } else {
        ReadDIBBits(header, stream);
        NormalizeDIB(header.Dib);
        info = header.Dib.Header();
        const TSepDIB& dib = header.Dib;
        bands = BuildBands(info.biWidth, height, format);
        int32_t row = 0;
        for (auto& band : bands)
            for (int32_t r = 0; r < band->GetHeight(); ++r, ++row) {
                const int64_t dataRow = info.biHeight > 0 ? height - 1 - row : row;
                std::memcpy(band->ScanLine(r), dib.Bits.data() + dataRow * stride,
                            static_cast<size_t>(stride));
            }
    }
    if (format != bbpf24bit) {
        const TPalette palette = CreateDIBPalette(header.Dib);
        for (auto& band : bands) band->SetPalette(palette);
    }
    Install(std::move(bands), info.biWidth, height, format);
}

TDIBLayout TBigBitmap::DIBLayout() const
{
    return {FWidth, FHeight, GetPixelBits(FPixelFormat),
            FPixelFormat == bbpf24bit ? nullptr : GetPalette(), false};
}

void TBigBitmap::SaveToStream(TStream& stream)
{
    if (GetEmpty()) return;
    WriteDIBHeaders(stream, DIBLayout());
    // Band memory is bottom-up and contiguous: each band is one block, last band first.
    for (auto it = FBitmaps.rbegin(); it != FBitmaps.rend(); ++it)
        stream.WriteBuffer((*it)->Bits(), (*it)->Stride() * (*it)->GetHeight());
}

std::vector<uint8_t> TBigBitmap::SaveToClipboardFormat(uint16_t& format)
{
    format = CF_DIB;
    if (GetEmpty()) return {};
    const TDIBLayout layout = DIBLayout();
    const int64_t size = DIBHeaderSize(layout) + DIBImageSize(layout);
    if (size > INT32_MAX) throw EBigBitmapError("Cannot Allocate Memory");
    std::vector<uint8_t> block;
    try {
        block.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EBigBitmapError("Cannot Allocate Memory");
    }
    // The file header lands in a scratch head and is dropped; the block gets the packed DIB.
    uint8_t fileHeader[kFileHeaderSize];
    TShiftedMemoryStream stream(fileHeader, kFileHeaderSize, block.data(), static_cast<int32_t>(size));
    SaveToStream(stream);
    return block;
}

void TBigBitmap::LoadFromClipboardFormat(uint16_t format, const uint8_t* data, size_t size)
{
    if (format != CF_DIB) throw EInvalidGraphic("Invalid Clipbboard Data");
    if (size < kCoreHeaderSize || size > INT32_MAX - kFileHeaderSize)
        throw EInvalidGraphic("Invalid Clipbboard data");
    const uint32_t headerSize = GetLE32(data);
    int64_t offset = headerSize;
    if (headerSize >= kInfoHeaderSize) {
        if (size < kInfoHeaderSize) throw EInvalidGraphic("Invalid Clipbboard data");
        const uint32_t compression = GetLE32(data + 16);
        const uint32_t coloursUsed = GetLE32(data + 32);
        if (headerSize == kInfoHeaderSize) offset += MasksAfterInfoHeader(compression);
        if (coloursUsed != 0) {
            offset += int64_t{coloursUsed} * 4;
        } else {
            switch (uint32_t{GetLE16(data + 12)} * GetLE16(data + 14)) {
            case 1: offset += 8; break;
            case 4: offset += 64; break;
            case 8: offset += 1024; break;
            case 16: case 24: case 32: break;
            default: throw EInvalidGraphic("Invalid Clipbboard Data");
            }
        }
    } else {
        switch (uint32_t{GetLE16(data + 8)} * GetLE16(data + 10)) {
        case 1: offset += 6; break;
        case 4: offset += 48; break;
        case 8: offset += 768; break;
        case 24: break;
        default: throw EInvalidGraphic("Invalid Clipbboard Data");
        }
    }
    // The pixel data must start where the stream's 32-bit positions reach.
    if (offset > INT32_MAX - kFileHeaderSize) throw EInvalidGraphic("Invalid Clipbboard Data");
    uint8_t fileHeader[kFileHeaderSize] = {};
    PutLE16(fileHeader, kBitmapFileType);
    PutLE32(fileHeader + 2, static_cast<uint32_t>(size + kFileHeaderSize));
    PutLE32(fileHeader + 10, static_cast<uint32_t>(offset + kFileHeaderSize));
    // The stream only reads from the block.
    TShiftedMemoryStream stream(fileHeader, kFileHeaderSize, const_cast<uint8_t*>(data),
                                static_cast<int32_t>(size));
    LoadFromStream(stream);
}

}  // namespace quilmo
