#include "plugins/dib_writer.h"

#include "plugins/pixel_limit.h"
#include "plugins/spi_codes.h"

namespace quilmo::spi {

int32_t TDibWriter::Allocate(uint32_t storedWidth, uint32_t storedHeight, int orientation)
{
    if (storedWidth == 0 || storedHeight == 0) return kBrokenData;
    if (!PicturePixelsAllowed(storedWidth, storedHeight)) return kOutOfMemory;
    FWidth = storedWidth;
    FHeight = storedHeight;
    FOrientation = orientation >= 1 && orientation <= 8 ? orientation : 1;
    const bool turned = OrientationSwapsSides(FOrientation);
    const uint32_t uprightWidth = turned ? storedHeight : storedWidth;
    const uint32_t uprightHeight = turned ? storedWidth : storedHeight;
    FStride = (size_t{uprightWidth} * 3 + 3) / 4 * 4;
    const size_t imageSize = FStride * uprightHeight;
    if (!FBlocks.Info.Allocate(kInfoHeaderSize) || !FBlocks.Bits.Allocate(imageSize)) return kOutOfMemory;
    uint8_t* info = FBlocks.Info.Data.get();
    PutLE32(info, kInfoHeaderSize);
    PutLE32(info + 4, uprightWidth);
    PutLE32(info + 8, uprightHeight);
    info[12] = 1;
    info[14] = 24;
    PutLE32(info + 20, imageSize <= UINT32_MAX ? static_cast<uint32_t>(imageSize) : 0);
    return 0;
}

uint8_t* TDibWriter::Upright(uint32_t u, uint32_t v) const
{
    const uint32_t uprightHeight = OrientationSwapsSides(FOrientation) ? FWidth : FHeight;
    return Bits() + (uprightHeight - 1 - v) * FStride + size_t{u} * 3;
}

TPixelLine TDibWriter::StoredRow(uint32_t y) const
{
    // Stored pixel (x, y) lands on upright pixel (u, v); the line runs from x = 0 onward.
    const ptrdiff_t down = -static_cast<ptrdiff_t>(FStride);  // one upright row lower in the picture
    const uint32_t lastX = FWidth - 1, lastY = FHeight - 1;
    switch (FOrientation) {
    case 2: return {Upright(lastX, y), -3};
    case 3: return {Upright(lastX, lastY - y), -3};
    case 4: return {Upright(0, lastY - y), 3};
    case 5: return {Upright(y, 0), down};
    case 6: return {Upright(lastY - y, 0), down};
    case 7: return {Upright(lastY - y, lastX), -down};
    case 8: return {Upright(y, lastX), -down};
    default: return {Upright(0, y), 3};
    }
}

}  // namespace quilmo::spi
