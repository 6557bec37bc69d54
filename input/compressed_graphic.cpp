#include "compressed_graphic.h"

#include <string>
#include <typeinfo>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "picture_rows.h"

namespace quilmo {

void CheckPictureSize(const char* format, int64_t width, int64_t height)
{
    CheckPicturePixels(width, height);
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic(std::string("Invalid ") + format + " picture: unusable size (" +
                              std::to_string(width) + " x " + std::to_string(height) + " pixels)");
}

void TCompressedGraphic::Assign(TGraphic* source)
{
    if (source == this) return;
    if (!source) {
        FBytes.clear();
        FWidth = FHeight = 0;
        SetModified(true);
        return;
    }
    if (typeid(*source) == typeid(*this)) {
        const auto& other = static_cast<const TCompressedGraphic&>(*source);
        FBytes = other.FBytes;
        FWidth = other.FWidth;
        FHeight = other.FHeight;
        SetModified(true);
        return;
    }
    TGraphic::Assign(source);
}

void TCompressedGraphic::AssignTo(TGraphic& dest)
{
    if (auto* big = dynamic_cast<TBigBitmap*>(&dest)) {
        DecodeTo(*big);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(&dest)) {
        TBitmap picture;
        DecodeTo(picture);
        bitmap->Assign(&picture);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TCompressedGraphic::DecodeTo(TBitmap& bitmap) const
{
    bitmap.Allocate(FWidth, FHeight, pf24bit);
    if (GetEmpty()) return;
    TBitmapRows rows(bitmap);
    Decode(FBytes, rows);
}

void TCompressedGraphic::DecodeTo(TBigBitmap& bitmap) const
{
    if (GetEmpty()) {
        bitmap.Assign(nullptr);
        return;
    }
    // The same refusal, in the same words, as the BMP stream a standard bitmap would write.
    if (!RowFitsBand(24, FWidth))
        throw EBigBitmapError("TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits");
    TBigBitmap picture;
    picture.SetBitmaps(FWidth, FHeight, bbpf24bit);
    TBigBitmapRows rows(picture);
    Decode(FBytes, rows);
    bitmap.TakeOver(picture);
}

void TCompressedGraphic::Draw(TCanvas& canvas, const TRect& rect)
{
    if (GetEmpty()) return;
    TBitmap picture;
    DecodeTo(picture);
    picture.Draw(canvas, rect);
}

void TCompressedGraphic::LoadFromStream(TStream& stream)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(stream.Remaining()));
    stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    const TSize size = Check(bytes);
    FBytes = std::move(bytes);
    FWidth = size.Width;
    FHeight = size.Height;
    SetModified(true);
}

void TCompressedGraphic::SaveToStream(TStream& stream)
{
    stream.WriteBuffer(FBytes.data(), static_cast<int64_t>(FBytes.size()));
}

}  // namespace quilmo
