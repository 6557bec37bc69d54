#include "compressed_graphic.h"

#include <algorithm>
#include <string>
#include <typeinfo>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "picture_rows.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

void CheckPictureSize(const char* format, int64_t width, int64_t height)
{
    CheckPicturePixels(width, height);
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic(FillIn(UiText(UI_TEXT("quilmo", "%1 画像が正しくありません: 使えない大きさです (%2 x %3 ピクセル)")),
                                     {format, std::to_string(width), std::to_string(height)}));
}

TCompressedGraphic::TCompressedGraphic() = default;

TCompressedGraphic::~TCompressedGraphic() = default;

void TCompressedGraphic::Assign(TGraphic* source)
{
    if (source == this) return;
    if (!source) {
        FBytes.clear();
        FWidth = FHeight = 0;
        FProfile = {};
        FPixels.reset();
        SetModified(true);
        return;
    }
    if (typeid(*source) == typeid(*this)) {
        const auto& other = static_cast<const TCompressedGraphic&>(*source);
        std::unique_ptr<TBigBitmap> pixels;
        if (other.FPixels) {
            pixels = std::make_unique<TBigBitmap>();
            pixels->Assign(other.FPixels.get());
        }
        FBytes = other.FBytes;
        FWidth = other.FWidth;
        FHeight = other.FHeight;
        FProfile = other.FProfile;
        FPixels = std::move(pixels);
        SetModified(true);
        return;
    }
    TGraphic::Assign(source);
}

void TCompressedGraphic::AssignTo(TGraphic& dest)
{
    if (auto* big = dynamic_cast<TBigBitmap*>(&dest)) {
        if (GetEmpty()) {
            big->Assign(nullptr);
        } else if (FPixels) {
            big->Assign(FPixels.get());
        } else {
            TBigBitmap picture;
            DecodeTo(FBytes, FWidth, FHeight, picture);
            big->TakeOver(picture);
        }
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(&dest)) {
        TBitmap picture;
        picture.Allocate(FWidth, FHeight, pf24bit);
        TBitmapRows rows(picture);
        if (FPixels) {
            const auto rowBytes = static_cast<size_t>(FWidth) * 3;
            for (int32_t y = 0; y < FHeight; ++y) std::copy_n(FPixels->GetScanline(y), rowBytes, rows.Row(y));
        } else if (!GetEmpty()) {
            Decode(FBytes, rows);
        }
        bitmap->TakeOver(picture);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TCompressedGraphic::DecodeTo(std::span<const uint8_t> bytes, int32_t width, int32_t height,
                                  TBigBitmap& bitmap) const
{
    // The same refusal, in the same words, as the BMP stream a standard bitmap would write.
    if (!RowFitsBand(24, width))
        throw EBigBitmapError("TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits");
    bitmap.SetBitmaps(width, height, bbpf24bit);
    TBigBitmapRows rows(bitmap);
    Decode(bytes, rows);
}

void TCompressedGraphic::TakePixels(TBigBitmap& dest)
{
    if (GetEmpty()) {
        dest.Assign(nullptr);
        return;
    }
    if (!FPixels) {
        TBigBitmap picture;
        DecodeTo(FBytes, FWidth, FHeight, picture);
        dest.TakeOver(picture);
        return;
    }
    dest.TakeOver(*FPixels);
    FPixels.reset();
}

void TCompressedGraphic::Draw(TCanvas& canvas, const TRect& rect)
{
    if (GetEmpty()) return;
    TBitmap picture;
    AssignTo(picture);
    picture.Draw(canvas, rect);
}

void TCompressedGraphic::TakeHeader(THeader header)
{
    FWidth = header.Width;
    FHeight = header.Height;
    FProfile = std::move(header.Profile);
    SetModified(true);
}

void TCompressedGraphic::LoadHeader(std::vector<uint8_t> bytes)
{
    THeader header = ReadHeader(bytes);
    FBytes = std::move(bytes);
    FPixels.reset();
    TakeHeader(std::move(header));
}

void TCompressedGraphic::LoadFromStream(TStream& stream)
{
    std::vector<uint8_t> bytes = stream.ReadRest();
    THeader header = ReadHeader(bytes);
    // Decoded before anything of this graphic changes, so that a failure leaves it as it was.
    auto pixels = std::make_unique<TBigBitmap>();
    DecodeTo(bytes, header.Width, header.Height, *pixels);
    FBytes = std::move(bytes);
    FPixels = std::move(pixels);
    TakeHeader(std::move(header));
}

void TCompressedGraphic::SaveToStream(TStream& stream)
{
    stream.WriteBuffer(FBytes.data(), static_cast<int64_t>(FBytes.size()));
}

}  // namespace quilmo
