#pragma once
// A picture kept as the bytes of its file (JPEG, PNG, GIF) and decoded whenever it is turned
// into a bitmap. A slot then holds the small compressed form only, and a join decodes each
// picture straight into the bands of its working copy instead of keeping the pixels twice.

#include <cstdint>
#include <span>
#include <vector>

#include "bigbitmap/graphic.h"

namespace quilmo {

class TBitmap;
class TBigBitmap;
class TPictureRows;

// Raises EInvalidGraphic for a size no picture may have ("Invalid <format> picture: ...") or one
// above the reader's pixel limit, before anything is allocated for the picture.
void CheckPictureSize(const char* format, int64_t width, int64_t height);

class TCompressedGraphic : public TGraphic {
public:
    int32_t GetWidth() const override { return FWidth; }
    int32_t GetHeight() const override { return FHeight; }

    // A graphic of the same class: its bytes are copied. No source: the graphic becomes empty.
    void Assign(TGraphic* source) override;
    // Into a TBigBitmap (24 bits, the same pixels a 24-bit standard bitmap would give through a
    // BMP stream) or a 24-bit standard bitmap. On failure dest is unchanged.
    void AssignTo(TGraphic& dest) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

    // Takes the rest of the stream as the file. The whole picture is decoded once to make sure
    // it can be; on failure the graphic is unchanged.
    void LoadFromStream(TStream& stream) override;
    // Writes the file as it was loaded.
    void SaveToStream(TStream& stream) override;

    const std::vector<uint8_t>& Bytes() const { return FBytes; }

protected:
    struct TSize {
        int32_t Width = 0;
        int32_t Height = 0;
    };
    // Decodes every pixel of bytes without keeping them and returns the size the picture shows
    // at; raises EInvalidGraphic for anything that cannot be decoded.
    virtual TSize Check(std::span<const uint8_t> bytes) const = 0;
    // Writes the picture of bytes, which passed Check, into rows of the size Check gave.
    virtual void Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const = 0;

private:
    // A new 24-bit standard bitmap holding the picture.
    void DecodeTo(TBitmap& bitmap) const;
    void DecodeTo(TBigBitmap& bitmap) const;

    std::vector<uint8_t> FBytes;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

}  // namespace quilmo
