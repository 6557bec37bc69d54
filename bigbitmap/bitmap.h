#pragma once
// The standard bitmap: one device-independent bitmap in plain memory. Rows are padded to
// 32 bits and stored bottom-up; indexed formats carry a palette. Bands of TBigBitmap are
// standard bitmaps.

#include <cstdint>
#include <memory>

#include "canvas.h"
#include "graphic.h"
#include "pixel_format.h"
#include "pixel_memory.h"

namespace quilmo {

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    const char* ClassName() const override { return "TBitmap"; }
    int32_t GetWidth() const override { return FWidth; }
    int32_t GetHeight() const override { return FHeight; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Changing the format converts the pixels (indexed pixels through the palette).
    void SetPixelFormat(TPixelFormat format);
    // Changing the size keeps the pixels of the common top-left part; new pixels are white.
    void SetWidth(int32_t width) { SetSize(width, FHeight); }
    void SetHeight(int32_t height) { SetSize(FWidth, height); }
    void SetSize(int32_t width, int32_t height);
    // A fresh picture of that size and format whose pixels are not set; the caller writes all
    // of them. Raises std::bad_alloc when memory is short and keeps the old picture then.
    void Allocate(int32_t width, int32_t height, TPixelFormat format);

    int64_t Stride() const { return FStride; }
    // Row 0 is the top row. No range check: callers stay inside 0..height-1.
    uint8_t* ScanLine(int32_t row) { return FBits.get() + (FHeight - 1 - int64_t{row}) * FStride; }
    const uint8_t* ScanLine(int32_t row) const
    {
        return FBits.get() + (FHeight - 1 - int64_t{row}) * FStride;
    }
    // The pixel memory, bottom row first, Stride() * height bytes.
    uint8_t* Bits() { return FBits.get(); }
    const uint8_t* Bits() const { return FBits.get(); }

    // Empty for the direct formats.
    const TPalette& Palette() const { return FPalette; }
    void SetPalette(TPalette palette);

    TCanvas& Canvas() { return *FCanvas; }

    void Assign(TGraphic* source) override;
    // Take the picture of source without copying pixels; source becomes empty.
    void TakeOver(TBitmap& source);
    void Draw(TCanvas& canvas, const TRect& rect) override;
    // Reads a BMP of any form the BMP reader knows.
    void LoadFromStream(TStream& stream) override;
    // Writes an uncompressed bottom-up BMP of this bitmap's format.
    void SaveToStream(TStream& stream) override;

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBitmap>(); }

private:
    void Replace(int32_t width, int32_t height, TPixelFormat format,
                 TPixelMemory bits, TPalette palette);

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TPixelFormat FPixelFormat = pf24bit;
    int64_t FStride = 0;
    TPixelMemory FBits;
    TPalette FPalette;
    std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace quilmo
