#include "bgr_rows.h"

#include "bigbitmap/pixels.h"

namespace quilmo {

TBGRRows::TBGRRows(TBigBitmap& picture, TRowGate gate)
    : FPicture(picture), FGate(std::move(gate)), FFormat(BBPixelFormatToPixelFormat(picture.PixelFormat()))
{
    if (FFormat == pf24bit) return;
    if (const TPalette* palette = picture.GetPalette()) FPalette = *palette;
    FScratch.resize(static_cast<size_t>(picture.GetWidth()) * 3);
}

const uint8_t* TBGRRows::Row(int32_t y)
{
    if (FGate) FGate(y + 1);
    const uint8_t* row = FPicture.GetScanline(y);
    if (FFormat == pf24bit) return row;
    uint8_t* to = FScratch.data();
    for (int32_t x = 0; x < FPicture.GetWidth(); ++x, to += 3) {
        const TRGB colour = DecodePixel(ReadRawPixel(row, x, FFormat), FFormat, FPalette);
        to[0] = colour.Blue;
        to[1] = colour.Green;
        to[2] = colour.Red;
    }
    return FScratch.data();
}

}  // namespace quilmo
