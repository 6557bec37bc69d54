#include "big_bitmap.h"

#include <cstring>

#include "big_bitmap_canvas.h"
#include "errors.h"
#include "pixels.h"
#include "stream.h"

namespace quilmo {

TPixelFormat BBPixelFormatToPixelFormat(TBBPixelFormat format)
{
    switch (format) {
    case bbpf1bit: return pf1bit;
    case bbpf4bit: return pf4bit;
    case bbpf8bit: return pf8bit;
    case bbpf24bit: return pf24bit;
    }
    throw EBigBitmapError("BBPixelFormatToPixelFormat: Invalid Pixel Format");
}

TBBPixelFormat PixelFormatToBBPixelFormat(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return bbpf1bit;
    case pf4bit: return bbpf4bit;
    case pf8bit: return bbpf8bit;
    case pf24bit: return bbpf24bit;
    default: break;
    }
    throw EBigBitmapError("PixelFormatToBBPixelFormat: Invalid Pixel Format");
}

int TBigBitmap::GetPixelBits(TBBPixelFormat format)
{
    switch (format) {
    case bbpf1bit: return 1;
    case bbpf4bit: return 4;
    case bbpf8bit: return 8;
    case bbpf24bit: return 24;
    }
    throw EBigBitmapError("TBigBitmap.GetPixelBits: Invalid Pixel Format");
}

TBigBitmap::TBigBitmap() : FCanvas(std::make_unique<TBigBitmapCanvas>(*this)) {}

TBigBitmap::~TBigBitmap()
{
    FCanvas.reset();
    FreeBitmaps();
}

TBitmapArray TBigBitmap::BuildBands(int32_t width, int32_t height, TBBPixelFormat format)
{
    const int64_t stride = DIBStride(GetPixelBits(format), width);
    const auto bandHeight = static_cast<int32_t>(std::min<int64_t>(kMaxBandBytes / stride, height));
    const int32_t count = static_cast<int32_t>((int64_t{height} + bandHeight - 1) / bandHeight);
    const TPixelFormat bandFormat = BBPixelFormatToPixelFormat(format);
    TBitmapArray bands(count);
    for (int32_t i = 0; i < count; ++i) {
        bands[i] = std::make_unique<TBitmap>();
        const int32_t rows = i + 1 < count ? bandHeight : height - (count - 1) * bandHeight;
        bands[i]->Allocate(width, rows, bandFormat);
    }
    return bands;
}

void TBigBitmap::Install(TBitmapArray bands, int32_t width, int32_t height, TBBPixelFormat format)
{
    FreeBitmaps();
    FBitmaps = std::move(bands);
    FWidth = width;
    FHeight = height;
    FPixelFormat = format;
    SetPaletteModified(true);
    SetModified(true);
}

void TBigBitmap::SetBitmaps(int32_t width, int32_t height, TBBPixelFormat format)
{
    Allocate(width, height, format);
    // A new band is solid white (the last entry of an indexed band's palette is white).
    for (auto& band : FBitmaps)
        PaintWhiteRows(band->Bits(), band->Stride(), band->GetHeight(), GetPixelBits(format), width);
}

void TBigBitmap::Allocate(int32_t width, int32_t height, TBBPixelFormat format)
{
    if (width < 0) throw EBigBitmapError("TBigBitmap.SetBitmaps: Negative Width");
    if (height < 0) throw EBigBitmapError("TBigBitmap.SetBitmaps: Negative Height");
    if (!RowFitsBand(GetPixelBits(format), width))
        throw EBigBitmapError("TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits");
    if (width == 0 || height == 0) {
        Install({}, width, height, format);
        return;
    }
    TBitmapArray bands = BuildBands(width, height, format);
    const auto used = static_cast<size_t>((int64_t{GetPixelBits(format)} * width + 7) / 8);
    for (auto& band : bands) {
        const auto padding = static_cast<size_t>(band->Stride()) - used;
        if (padding == 0) continue;
        for (int32_t r = 0; r < band->GetHeight(); ++r) std::memset(band->ScanLine(r) + used, 0, padding);
    }
    Install(std::move(bands), width, height, format);
    FCanvas->MoveTo(0, 0);
}

uint8_t* TBigBitmap::GetScanline(int32_t row)
{
    if (GetEmpty()) throw EBigBitmapError("TBigBitmap.GetScanline: No Bitomaps");
    if (row >= FHeight || row < 0) throw EBigBitmapError("TBigBitmap.GetScanline: Index is out of Range");
    const int32_t bandHeight = FBitmaps[0]->GetHeight();
    return FBitmaps[row / bandHeight]->ScanLine(row % bandHeight);
}

const TPalette* TBigBitmap::GetPalette() const
{
    if (FBitmaps.empty()) return nullptr;
    return &FBitmaps[0]->Palette();
}

void TBigBitmap::SetPalette(TPalette palette)
{
    for (auto& band : FBitmaps) band->SetPalette(palette);
    if (FBitmaps.empty()) return;
    SetPaletteModified(true);
    SetModified(true);
}

void TBigBitmap::Assign(TGraphic* source)
{
    if (source == this) return;
    if (auto* big = dynamic_cast<TBigBitmap*>(source)) {
        TBitmapArray bands(big->FBitmaps.size());
        for (size_t i = 0; i < bands.size(); ++i) {
            bands[i] = std::make_unique<TBitmap>();
            bands[i]->Assign(big->FBitmaps[i].get());
        }
        Install(std::move(bands), big->FWidth, big->FHeight, big->FPixelFormat);
        FDrawMode = big->FDrawMode;
        return;
    }
    if (!source) {
        SetWidth(0);
        SetHeight(0);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        // A standard bitmap comes in at 24 bits. Its rows are copied as they are, which gives
        // the same picture as going through its BMP form without the stream's copy.
        bitmap->SetPixelFormat(pf24bit);
        if (bitmap->GetEmpty()) {
            SetBitmaps(bitmap->GetWidth(), bitmap->GetHeight(), bbpf24bit);
            return;
        }
        const auto rowBytes = static_cast<size_t>(bitmap->Stride());
        LoadFromRows(bitmap->GetWidth(), bitmap->GetHeight(), bbpf24bit, {},
                     [&](int32_t row, uint8_t* line) { std::memcpy(line, bitmap->ScanLine(row), rowBytes); });
        return;
    }
    TGraphic::Assign(source);
}

void TBigBitmap::AssignTo(TGraphic& dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(&dest); bitmap && FPixelFormat == bbpf24bit && !GetEmpty()) {
        // The rows of a 24-bit picture copied as they lie: what its BMP form would give.
        TBitmap picture;
        picture.Allocate(FWidth, FHeight, pf24bit);
        const auto rowBytes = static_cast<size_t>(picture.Stride());
        for (int32_t y = 0; y < FHeight; ++y) std::memcpy(picture.ScanLine(y), GetScanline(y), rowBytes);
        bitmap->TakeOver(picture);
        return;
    }
    if (dynamic_cast<TBitmap*>(&dest)) {
        TMemoryStream stream;
        SaveToStream(stream);
        stream.SetPosition(0);
        if (GetEmpty())
            dest.Assign(nullptr);
        else
            dest.LoadFromStream(stream);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TBigBitmap::TakeOver(TBigBitmap& source)
{
    if (&source == this) return;
    Install(std::move(source.FBitmaps), source.FWidth, source.FHeight, source.FPixelFormat);
    FDrawMode = source.FDrawMode;
    source.Install({}, 0, 0, source.FPixelFormat);
}

void TBigBitmap::LoadFromRows(int32_t width, int32_t height, TBBPixelFormat format,
                              const TPalette& palette,
                              const std::function<void(int32_t row, uint8_t* line)>& fillRow)
{
    if (width <= 0 || height <= 0) throw EBigBitmapError("TBigBitmap.LoadFromRows: Invalid Size");
    if (!RowFitsBand(GetPixelBits(format), width))
        throw EBigBitmapError("TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits");
    TBitmapArray bands = BuildBands(width, height, format);
    int32_t row = 0;
    for (auto& band : bands) {
        if (format != bbpf24bit) band->SetPalette(palette);
        for (int32_t r = 0; r < band->GetHeight(); ++r) fillRow(row++, band->ScanLine(r));
    }
    Install(std::move(bands), width, height, format);
}

}  // namespace quilmo
