#pragma once
// Turning the two memory blocks an import plug-in returns (bitmap info header with colours, and
// the rows) into a standard bitmap. The blocks come from code we do not control, so every size
// the header claims is checked against the block sizes before a byte is read.

#include <cstddef>
#include <cstdint>

#include "bigbitmap/bitmap.h"
#include "color/color_profile.h"
#include "susie_errors.h"

namespace quilmo {

// Fill bitmap from the blocks. Rows may be bottom-up (positive height) or top-down (negative
// height). 1-, 4-, 8-, 24- and 32-bit rows keep their format; 16-bit and masked 32-bit pixels
// become 24-bit ones. RLE8 and RLE4 codes (bottom-up only; the image size, when given, is that
// of the codes) are decoded by the BMP reader's decoders. Indexed pictures get a full palette
// (2, 16 or 256 entries) from the colour table, black past its end. Returns 0,
// kSusieDataBroken (a block is shorter than the header says) or kSusieCannotTransfer (the
// header describes no picture we can hold, or the RLE codes are broken); the bitmap changes
// only on success. A picture above the pixel limit raises its EInvalidGraphic before anything is
// copied or converted.
int32_t SusieBlocksToBitmap(const uint8_t* info, size_t infoSize, const uint8_t* bits,
                            size_t bitsSize, TBitmap& bitmap);

// The colours of a plug-in's picture: the profile its info block of infoSize bytes embeds, the
// standard way (a header of at least V5's 124 bytes, bV5CSType PROFILE_EMBEDDED, bV5ProfileData
// the profile's offset from the header's start, bV5ProfileSize its length). sRGB for a shorter
// header, another colour space, a profile that does not lie wholly inside the block or that is
// no RGB profile lcms can use; nothing outside the block is read.
TColorProfile SusieBlockProfile(const uint8_t* info, size_t infoSize);

}  // namespace quilmo
