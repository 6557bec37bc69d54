#pragma once
// The 24-bit bottom-up DIB a plug-in hands out, filled from the rows of the picture as the file
// stores them. A stored picture may be turned or mirrored (orientations 1 to 8, numbered as in
// EXIF and TIFF); each stored row is put where it belongs in the upright picture as it arrives.

#include <cstddef>
#include <cstdint>
#include <span>

#include "plugins/dib_blocks.h"

namespace quilmo::spi {

// Where the pixels of one stored row go: the first one, and the distance in bytes from each to
// the next (3 along an upright row; a whole upright row up or down when the picture is turned).
struct TPixelLine {
    uint8_t* First = nullptr;
    ptrdiff_t Step = 3;
};

inline bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

class TDibWriter {
public:
    // Zeroed blocks for the upright picture. 0, kBrokenData for an empty picture, or
    // kOutOfMemory when the picture is above the pixel limit or there is no memory for it.
    // Orientations outside 1 to 8 count as 1.
    int32_t Allocate(uint32_t storedWidth, uint32_t storedHeight, int orientation);

    // Puts an ICC profile of RGB pixels behind the header, the standard way: the header becomes
    // a BITMAPV5HEADER whose colour space is PROFILE_EMBEDDED. 0 or kOutOfMemory; without a call
    // the 40-byte header stays.
    int32_t SetProfile(std::span<const uint8_t> icc);

    TPixelLine StoredRow(uint32_t y) const;
    // The upright rows, bottom row first, Stride() bytes apart.
    uint8_t* Bits() const { return FBlocks.Bits.Data.get(); }
    size_t Stride() const { return FStride; }
    uint32_t StoredWidth() const { return FWidth; }
    uint32_t StoredHeight() const { return FHeight; }
    uint32_t UprightWidth() const { return OrientationSwapsSides(FOrientation) ? FHeight : FWidth; }
    uint32_t UprightHeight() const { return OrientationSwapsSides(FOrientation) ? FWidth : FHeight; }

    // Hands the finished blocks over.
    void TakeBlocks(TDibBlocks& blocks) { blocks = std::move(FBlocks); }

private:
    uint8_t* Upright(uint32_t u, uint32_t v) const;

    TDibBlocks FBlocks;
    uint32_t FWidth = 0;
    uint32_t FHeight = 0;
    int FOrientation = 1;
    size_t FStride = 0;
};

}  // namespace quilmo::spi
