#include "plugins/dib_writer.h"

#include <cstring>

#include "bigbitmap/dib_color_space.h"
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
    FStride = (size_t{UprightWidth()} * 3 + 3) / 4 * 4;
    const size_t imageSize = FStride * UprightHeight();
    if (!FBlocks.Info.Allocate(kInfoHeaderSize) || !FBlocks.Bits.Allocate(imageSize)) return kOutOfMemory;
    uint8_t* info = FBlocks.Info.Data.get();
    PutLE32(info, kInfoHeaderSize);
    PutLE32(info + 4, UprightWidth());
    PutLE32(info + 8, UprightHeight());
    info[12] = 1;
    info[14] = 24;
    PutLE32(info + 20, imageSize <= UINT32_MAX ? static_cast<uint32_t>(imageSize) : 0);
    return 0;
}

int32_t TDibWriter::SetProfile(std::span<const uint8_t> icc)
{
    // Where BITMAPV5HEADER keeps its colour space, rendering intent and profile.
    constexpr size_t kColourSpaceAt = 56, kIntentAt = 108, kProfileDataAt = 112, kProfileSizeAt = 116;
    constexpr uint32_t kPictureIntent = 4;  // LCS_GM_IMAGES
    if (icc.size() > UINT32_MAX - kV5HeaderSize) return kOutOfMemory;
    TMallocBlock info;
    if (!info.Allocate(kV5HeaderSize + icc.size())) return kOutOfMemory;
    uint8_t* header = info.Data.get();
    std::memcpy(header, FBlocks.Info.Data.get(), kInfoHeaderSize);
    PutLE32(header, kV5HeaderSize);
    PutLE32(header + kColourSpaceAt, PROFILE_EMBEDDED);
    PutLE32(header + kIntentAt, kPictureIntent);
    PutLE32(header + kProfileDataAt, kV5HeaderSize);
    PutLE32(header + kProfileSizeAt, static_cast<uint32_t>(icc.size()));
    if (!icc.empty()) std::memcpy(header + kV5HeaderSize, icc.data(), icc.size());
    FBlocks.Info = std::move(info);
    return 0;
}

uint8_t* TDibWriter::Upright(uint32_t u, uint32_t v) const
{
    return Bits() + (UprightHeight() - 1 - v) * FStride + size_t{u} * 3;
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
