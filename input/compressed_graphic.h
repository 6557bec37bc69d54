#pragma once
// A picture read from the bytes of its file (JPEG, PNG, GIF). Loading decodes it completely,
// which is both the check that the file can be read and the decode whatever the picture becomes
// is taken from: the pixels are kept, 24 bits per pixel, beside the file's bytes. A reader that
// only needs the sizes of many files first can take the header alone and have the pixels
// decoded later, once.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "bigbitmap/graphic.h"
#include "color/color_profile.h"
#include "color_tagged.h"

namespace quilmo {

class TBitmap;
class TBigBitmap;
class TPictureRows;

// Raises EInvalidGraphic for a size no picture may have ("Invalid <format> picture: ...") or one
// above the reader's pixel limit, before anything is allocated for the picture.
void CheckPictureSize(const char* format, int64_t width, int64_t height);

class TCompressedGraphic : public TGraphic, public TColorTagged {
public:
    TCompressedGraphic();
    ~TCompressedGraphic() override;

    int32_t GetWidth() const override { return FWidth; }
    int32_t GetHeight() const override { return FHeight; }

    // A graphic of the same class: its bytes and pixels are copied. No source: the graphic
    // becomes empty.
    void Assign(TGraphic* source) override;
    // Into a TBigBitmap (24 bits, the same pixels a 24-bit standard bitmap would give through a
    // BMP stream) or a 24-bit standard bitmap. On failure dest is unchanged.
    void AssignTo(TGraphic& dest) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

    // Takes the rest of the stream as the file and decodes it; on failure the graphic is
    // unchanged.
    void LoadFromStream(TStream& stream) override;
    // Takes bytes as the file, reading only the size from its header (a header that cannot be
    // read raises); the pixels are decoded when first needed, and raise then if the rest of the
    // file is damaged.
    void LoadHeader(std::vector<uint8_t> bytes);
    // Writes the file as it was loaded.
    void SaveToStream(TStream& stream) override;

    // dest becomes the picture (24 bits) without a copy of the pixels, decoded now if only the
    // header was read; afterwards the graphic holds its bytes but no pixels. On failure dest is
    // unchanged.
    void TakePixels(TBigBitmap& dest);

    const std::vector<uint8_t>& Bytes() const { return FBytes; }
    // The colours of the decoded pixels, as the file describes them.
    const TColorProfile& Profile() const override { return FProfile; }

protected:
    struct THeader {
        int32_t Width = 0;
        int32_t Height = 0;
        TColorProfile Profile;
    };
    // The size the picture of bytes shows at and the colours its pixels decode to, from its
    // header; raises EInvalidGraphic for a header that cannot be read and for sizes
    // CheckPictureSize refuses.
    virtual THeader ReadHeader(std::span<const uint8_t> bytes) const = 0;
    // Writes the picture of bytes into rows (painted white) of the size ReadHeader gave; raises
    // EInvalidGraphic for anything that cannot be decoded.
    virtual void Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const = 0;

private:
    // bitmap becomes the picture of bytes, whose header gave width and height.
    void DecodeTo(std::span<const uint8_t> bytes, int32_t width, int32_t height, TBigBitmap& bitmap) const;
    void TakeHeader(THeader header);

    std::vector<uint8_t> FBytes;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TColorProfile FProfile;
    // The decoded picture; none when only the header was read or the pixels were taken.
    std::unique_ptr<TBigBitmap> FPixels;
};

}  // namespace quilmo
