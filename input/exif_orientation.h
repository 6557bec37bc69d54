#pragma once
// The orientation tag of an EXIF block: how the stored picture must be turned or mirrored to
// stand upright.

#include <cstddef>
#include <cstdint>

namespace quilmo {

// 1 (upright, also for anything missing or unreadable) to 8, from the payload of an APP1
// segment that starts with "Exif\0\0".
int ExifOrientation(const uint8_t* data, size_t size);
// The same from the TIFF structure alone, as formats that keep EXIF without that signature store
// it ("II*\0" or "MM\0*" first).
int TiffOrientation(const uint8_t* data, size_t size);

}  // namespace quilmo
