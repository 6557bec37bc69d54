#pragma once
// TBigBitmap: one picture kept as a vertical stack of horizontal bands, each a standard bitmap
// of the full width and at most 8 MiB of pixels, so that pictures far larger than one ordinary
// bitmap can be joined. Callers see one picture with row access over the whole height.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bitmap.h"
#include "graphic.h"
#include "pixel_format.h"

namespace quilmo {

class TBigBitmapCanvas;
struct TDIBLayout;

enum TBBPixelFormat : uint8_t { bbpf1bit, bbpf4bit, bbpf8bit, bbpf24bit };

TPixelFormat BBPixelFormatToPixelFormat(TBBPixelFormat format);
TBBPixelFormat PixelFormatToBBPixelFormat(TPixelFormat format);

// A band holds at most 8 MiB of rows, and always at least one: the widest picture is the one
// whose row fills a band (2,796,202 pixels at 24 bits).
inline constexpr int64_t kMaxBandBytes = 8388608;

// True when a row of width pixels at bits per pixel fits one band.
inline bool RowFitsBand(int bits, int64_t width) { return DIBStride(bits, width) <= kMaxBandBytes; }
// The widest 24-bit picture.
inline constexpr int32_t kMaxWidth24Bit = static_cast<int32_t>(kMaxBandBytes / 3);

// A packed DIB as the clipboard carries it (format CF_DIB).
inline constexpr uint16_t CF_DIB = 8;

using TBitmapArray = std::vector<std::unique_ptr<TBitmap>>;

class TBigBitmap : public TGraphic {
public:
    TBigBitmap();
    ~TBigBitmap() override;

    const char* ClassName() const override { return "TBigBitmap"; }
    static int GetPixelBits(TBBPixelFormat format);

    int32_t GetWidth() const override { return FWidth; }
    int32_t GetHeight() const override { return FHeight; }
    bool GetEmpty() const override { return FWidth == 0 || FHeight == 0; }
    TBBPixelFormat PixelFormat() const { return FPixelFormat; }

    // Sizing discards the picture: the new bands are white. On failure the old picture stays.
    void SetWidth(int32_t width) { SetBitmaps(width, FHeight, FPixelFormat); }
    void SetHeight(int32_t height) { SetBitmaps(FWidth, height, FPixelFormat); }
    void SetPixelFormat(TBBPixelFormat format) { SetBitmaps(FWidth, FHeight, format); }
    void SetBitmaps(int32_t width, int32_t height, TBBPixelFormat format);
    // SetBitmaps without painting: the caller writes every pixel. Only the padding behind each
    // row's pixels is cleared, as painting would. Same checks and errors.
    void Allocate(int32_t width, int32_t height, TBBPixelFormat format);

    // Address of picture row (0 = top) in the band's row layout; valid until the next sizing,
    // load, assignment or palette change.
    uint8_t* GetScanline(int32_t row);

    // Band 0's palette; none when there are no bands.
    const TPalette* GetPalette() const;
    // Every band gets its own copy of palette.
    void SetPalette(TPalette palette);

    TBigBitmapCanvas& Canvas() { return *FCanvas; }

    void Assign(TGraphic* source) override;
    void AssignTo(TGraphic& dest) override;
    // Take the picture of source without copying pixels; source becomes empty.
    void TakeOver(TBigBitmap& source);
    // Build a picture row by row: fillRow(row, address) is called for every row, top first,
    // and must write all stride bytes of it. On failure the old picture stays.
    void LoadFromRows(int32_t width, int32_t height, TBBPixelFormat format, const TPalette& palette,
                      const std::function<void(int32_t row, uint8_t* line)>& fillRow);

    void Draw(TCanvas& canvas, const TRect& rect) override;

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // The picture as a packed DIB (info header, colours, rows); an empty picture gives nothing.
    std::vector<uint8_t> SaveToClipboardFormat(uint16_t& format);
    void LoadFromClipboardFormat(uint16_t format, const uint8_t* data, size_t size);

    // The bands, top band first.
    int BandCount() const { return static_cast<int>(FBitmaps.size()); }
    TBitmap& Band(int index) { return *FBitmaps[index]; }
    const TBitmap& Band(int index) const { return *FBitmaps[index]; }

    // How this picture is written as an uncompressed DIB.
    TDIBLayout DIBLayout() const;

    // How Draw renders: 0 band by band; nothing else is known.
    uint8_t FDrawMode = 0;
    // Set while the bitmap takes part in a rectangle copy of a canvas.
    bool FCopying = false;

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBigBitmap>(); }

private:
    friend class TBigBitmapCanvas;

    // Empty bands of the layout for that size, in the band format, not yet painted.
    static TBitmapArray BuildBands(int32_t width, int32_t height, TBBPixelFormat format);
    void FreeBitmaps() { FBitmaps.clear(); }
    void Install(TBitmapArray bands, int32_t width, int32_t height, TBBPixelFormat format);

    TBitmapArray FBitmaps;
    TBBPixelFormat FPixelFormat = bbpf8bit;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::unique_ptr<TBigBitmapCanvas> FCanvas;
};

}  // namespace quilmo
