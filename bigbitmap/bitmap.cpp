#include "bitmap.h"

#include <algorithm>
#include <cstring>

#include "big_bitmap.h"
#include "dib_utils.h"
#include "dib_writer.h"
#include "errors.h"
#include "pixels.h"
#include "stream.h"

namespace quilmo {

namespace {

TPixelMemory NewPixels(int64_t stride, int32_t height)
{
    return NewPixelMemory(static_cast<size_t>(stride * height));
}

// A bitmap holds as many colours as its pixels can address, and none in the direct formats.
TPalette FitPalette(TPalette palette, TPixelFormat format)
{
    const size_t limit = IsIndexedFormat(format) ? size_t{1} << PixelFormatBits(format) : 0;
    if (palette.size() > limit) palette.resize(limit);
    return palette;
}

void CheckSize(int32_t width, int32_t height)
{
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
}

}  // namespace

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>(*this)) {}

TBitmap::~TBitmap() = default;

void TBitmap::Replace(int32_t width, int32_t height, TPixelFormat format,
                      TPixelMemory bits, TPalette palette)
{
    FWidth = width;
    FHeight = height;
    FPixelFormat = format;
    FStride = DIBStride(PixelFormatBits(format), width);
    FBits = std::move(bits);
    FPalette = FitPalette(std::move(palette), format);
    SetPaletteModified(true);
    SetModified(true);
}

void TBitmap::Allocate(int32_t width, int32_t height, TPixelFormat format)
{
    CheckSize(width, height);
    auto bits = NewPixels(DIBStride(PixelFormatBits(format), width), height);
    Replace(width, height, format, std::move(bits), DefaultPalette(format));
}

void TBitmap::SetSize(int32_t width, int32_t height)
{
    if (width == FWidth && height == FHeight) return;
    CheckSize(width, height);
    const int bits = PixelFormatBits(FPixelFormat);
    const int64_t stride = DIBStride(bits, width);
    auto pixels = NewPixels(stride, height);
    PaintWhiteRows(pixels.get(), stride, height, bits, width);
    const int32_t rows = std::min(height, FHeight);
    const auto rowBytes = static_cast<size_t>((int64_t{bits} * std::min(width, FWidth) + 7) / 8);
    for (int32_t r = 0; r < rows; ++r)
        std::memcpy(pixels.get() + (height - 1 - int64_t{r}) * stride, ScanLine(r), rowBytes);
    Replace(width, height, FPixelFormat, std::move(pixels), FPalette);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == FPixelFormat) return;
    const size_t maxColours = IsIndexedFormat(format) ? size_t{1} << PixelFormatBits(format) : 0;
    TPalette palette;
    if (IsIndexedFormat(format))
        palette = IsIndexedFormat(FPixelFormat) && FPalette.size() <= maxColours
                      ? FPalette
                      : DefaultPalette(format);
    const int64_t stride = DIBStride(PixelFormatBits(format), FWidth);
    auto pixels = NewPixels(stride, FHeight);
    std::memset(pixels.get(), 0, static_cast<size_t>(stride * FHeight));
    for (int32_t r = 0; r < FHeight; ++r) {
        const uint8_t* from = ScanLine(r);
        uint8_t* to = pixels.get() + (FHeight - 1 - int64_t{r}) * stride;
        for (int32_t x = 0; x < FWidth; ++x) {
            const TRGB colour = DecodePixel(ReadRawPixel(from, x, FPixelFormat), FPixelFormat, FPalette);
            WriteRawPixel(to, x, format, EncodePixel(colour, format, palette));
        }
    }
    Replace(FWidth, FHeight, format, std::move(pixels), std::move(palette));
}

void TBitmap::SetPalette(TPalette palette)
{
    FPalette = FitPalette(std::move(palette), FPixelFormat);
    SetPaletteModified(true);
    SetModified(true);
}

void TBitmap::Assign(TGraphic* source)
{
    if (!source) {
        Replace(0, 0, FPixelFormat, nullptr, {});
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        if (bitmap == this) return;
        const size_t bytes = static_cast<size_t>(bitmap->FStride * bitmap->FHeight);
        auto pixels = NewPixels(bitmap->FStride, bitmap->FHeight);
        if (bytes) std::memcpy(pixels.get(), bitmap->FBits.get(), bytes);
        Replace(bitmap->FWidth, bitmap->FHeight, bitmap->FPixelFormat, std::move(pixels),
                bitmap->FPalette);
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::TakeOver(TBitmap& source)
{
    if (&source == this) return;
    Replace(source.FWidth, source.FHeight, source.FPixelFormat, std::move(source.FBits),
            std::move(source.FPalette));
    source.Replace(0, 0, source.FPixelFormat, nullptr, {});
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (GetEmpty()) return;
    canvas.StretchBitmap(rect, *this, {0, 0, FWidth, FHeight});
}

void TBitmap::LoadFromStream(TStream& stream)
{
    TSepDIB dib;
    LoadDIBFromStream(dib, stream);
    NormalizeDIB(dib);
    const TBitmapInfoHeader header = dib.Header();
    const TPixelFormat format = PixelFormatFromBits(header.biBitCount);
    const auto height = static_cast<int32_t>(dib.AbsHeight());
    const int64_t stride = dib.Stride();
    auto pixels = NewPixels(stride, height);
    // Band memory is bottom-up; a top-down DIB has its rows the other way round.
    if (header.biHeight > 0) {
        std::memcpy(pixels.get(), dib.Bits.data(), static_cast<size_t>(stride * height));
    } else {
        for (int32_t k = 0; k < height; ++k)
            std::memcpy(pixels.get() + (height - 1 - int64_t{k}) * stride,
                        dib.Bits.data() + k * stride, static_cast<size_t>(stride));
    }
    Replace(header.biWidth, height, format, std::move(pixels), CreateDIBPalette(dib));
}

void TBitmap::SaveToStream(TStream& stream)
{
    if (GetEmpty()) return;
    TDIBLayout layout;
    layout.Width = FWidth;
    layout.Height = FHeight;
    layout.Bits = PixelFormatBits(FPixelFormat);
    layout.Palette = IsIndexedFormat(FPixelFormat) ? &FPalette : nullptr;
    layout.Masks565 = FPixelFormat == pf16bit;
    WriteDIBHeaders(stream, layout);
    stream.WriteBuffer(FBits.get(), FStride * FHeight);
}

}  // namespace quilmo
