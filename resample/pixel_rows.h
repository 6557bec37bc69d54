#pragma once
// The row access the pixel loops share: the addresses of the rows of a 24-bit picture (3 bytes
// per pixel, blue, green, red), fetched once per call, whichever kind of bitmap holds them.

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace quilmo {

class TBigBitmap;
class TBitmap;

struct TPixelRows {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t*> Rows;  // top row first
};

TPixelRows RowsOf(TBigBitmap& bitmap);
TPixelRows RowsOf(TBitmap& bitmap);

// The resamplers address a row as an array of at most this many pixels.
inline constexpr int32_t kMaxRowPixels = 40000001;

// Raised for a pixel index beyond what a row can address.
class ERangeError : public std::out_of_range {
public:
    ERangeError() : std::out_of_range("Range check error") {}
};

// Raises ERangeError when the source or the destination rows are longer than kMaxRowPixels.
void CheckRowLengths(int32_t sourceWidth, int32_t newWidth);

}  // namespace quilmo
