#pragma once
// Reading BMP streams of every common form into a normalised in-memory DIB: core headers become
// info headers, RLE4/RLE8 is decoded, 16- and 32-bit pixels become 24-bit ones.

#include <array>
#include <cstdint>
#include <vector>

#include "dib_color_space.h"
#include "pixel_format.h"

namespace quilmo {

class TStream;

using TDynamicByteArray = std::vector<uint8_t>;

inline constexpr uint16_t kBitmapFileType = 0x4D42;  // "BM"
inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;
inline constexpr int kCoreHeaderSize = 12;
inline constexpr int kInfoAreaSize = 1080;

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

// Bytes of colour masks that follow a 40-byte info header: red, green, blue for bit fields, and
// an alpha mask after them for alpha bit fields.
int MasksAfterInfoHeader(uint32_t compression);

// The 40-byte info header, fields in file order.
struct TBitmapInfoHeader {
    uint32_t biSize = 0;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 0;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};

// A DIB with header and pixels held apart. Info holds the 40-byte info header, then the colour
// area: the colour entries (blue, green, red, reserved) or, with bit fields, the three masks
// red, green, blue followed by the colour entries.
struct TSepDIB {
    TDynamicByteArray Bits;
    std::array<uint8_t, kInfoAreaSize> Info{};

    TBitmapInfoHeader Header() const;
    void SetHeader(const TBitmapInfoHeader& header);
    // Rows in stored order, each padded to 32 bits.
    int64_t Stride() const;
    int64_t AbsHeight() const;
    // Stride x |height|: the bytes of the plain rows (the largest int64_t when that overflows).
    int64_t ImageSize() const;
    // Where the colour entries start in Info (behind the masks with bit fields).
    int ColorsOffset() const;
};

// The header part of a BMP stream, read and normalised, with the stream placed at the pixels.
struct TDIBHeader {
    TSepDIB Dib;             // Bits still empty
    int64_t DataLength = 0;  // file size - data offset as the file header claims it
    TDIBColorSpace ColorSpace;
};

// Reads the file header, info (or core) header and colour area, checks the size fields (and
// the pixel limit) and leaves the stream at the start of the pixel data.
TDIBHeader ReadDIBHeader(TStream& stream);
// The pixel data that follows a header into Bits: stride x |height| bytes of rows, or the
// compressed data up to the end the file header gives.
void ReadDIBBits(TDIBHeader& header, TStream& stream);
// ReadDIBHeader, then ReadDIBBits.
void LoadDIBFromStream(TSepDIB& dib, TStream& stream);

// Untrusted input such as a fuzzer's can be held to small pictures: reading refuses pictures
// whose rows would take more than this many bytes. No limit unless set; RLE pictures are held
// to 1 GiB in any case, since a few bytes of codes can describe a huge picture.
void SetDIBSizeLimit(int64_t bytes);

void Convert8BitRLETo8BitRGB(const TSepDIB& source, TSepDIB& result);
void Convert4BitRLETo4BitRGB(const TSepDIB& source, TSepDIB& result);
void ConvertBitFieldsTo24BitRGB(const TSepDIB& source, TSepDIB& result);
// Decode whatever the DIB holds into plain rows of 1, 4, 8 or 24 bits.
void NormalizeDIB(TSepDIB& dib);

TPalette CreateDIBPalette(const TSepDIB& dib);

}  // namespace quilmo
