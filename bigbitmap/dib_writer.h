#pragma once
// Writing the headers of an uncompressed BMP.

#include <cstdint>

#include "pixel_format.h"

namespace quilmo {

class TStream;

struct TDIBLayout {
    int32_t Width = 0;
    int32_t Height = 0;  // positive: rows follow bottom-up
    int Bits = 24;
    const TPalette* Palette = nullptr;  // colour entries to write; none for direct formats
    bool Masks565 = false;               // 16 bits as 5-6-5 bit fields
};

// Size of the info header with its colour area.
int64_t DIBHeaderSize(const TDIBLayout& layout);
// Size of the pixel rows.
int64_t DIBImageSize(const TDIBLayout& layout);
// Size of the whole BMP file.
int64_t BmpFileSize(const TDIBLayout& layout);

// The file header keeps the file's size in 32 bits: raises EWriteError for a picture whose
// file would be larger than that.
void CheckBmpFileSize(const TDIBLayout& layout);

// The 14-byte file header, then the info header and colours. Nothing is written for a picture
// too large for a BMP file.
void WriteDIBHeaders(TStream& stream, const TDIBLayout& layout);

}  // namespace quilmo
