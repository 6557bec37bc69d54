#include "support/picture_checks.h"

#include "bigbitmap/pixels.h"

namespace quilmo::test {

TColor ColourAt(const TBitmap& bitmap, int32_t x, int32_t y)
{
    const TPixelFormat format = bitmap.PixelFormat();
    const TRGB c = DecodePixel(ReadRawPixel(bitmap.ScanLine(y), x, format), format, bitmap.Palette());
    return RGBColor(c.Red, c.Green, c.Blue);
}

TColor ColourAt(TBigBitmap& bitmap, int32_t x, int32_t y)
{
    const int32_t bandHeight = bitmap.Band(0).GetHeight();
    return ColourAt(bitmap.Band(y / bandHeight), x, y % bandHeight);
}

TColor Pattern(int32_t x, int32_t y)
{
    return RGBColor(static_cast<uint8_t>(x * 7 + y), static_cast<uint8_t>(y * 3), static_cast<uint8_t>(x ^ y));
}

void FillPattern(TBigBitmap& bitmap, int32_t width, int32_t height)
{
    bitmap.SetBitmaps(width, height, bbpf24bit);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = bitmap.GetScanline(y);
        for (int32_t x = 0; x < width; ++x) {
            const TColor c = Pattern(x, y);
            row[3 * x] = ColorBlue(c);
            row[3 * x + 1] = ColorGreen(c);
            row[3 * x + 2] = ColorRed(c);
        }
    }
}

std::vector<uint8_t> PixelBytes(TBigBitmap& bitmap)
{
    std::vector<uint8_t> bytes;
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y) {
        const uint8_t* row = bitmap.GetScanline(y);
        bytes.insert(bytes.end(), row, row + 3 * static_cast<size_t>(bitmap.GetWidth()));
    }
    return bytes;
}

}  // namespace quilmo::test
