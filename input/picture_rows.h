#pragma once
// The rows a decoder writes a picture into: 24-bit rows, bytes blue, green, red, top row 0.
// Every row starts white, so a decoder may leave transparent or uncovered pixels alone.

#include <cstdint>

namespace quilmo {

class TBigBitmap;
class TBitmap;

class TPictureRows {
public:
    virtual ~TPictureRows() = default;
    // The address of row y stays valid while the rows exist.
    virtual uint8_t* Row(int32_t y) = 0;
};

// The rows of a 24-bit big bitmap sized (and so painted white) beforehand.
class TBigBitmapRows : public TPictureRows {
public:
    explicit TBigBitmapRows(TBigBitmap& bitmap) : FBitmap(bitmap) {}
    uint8_t* Row(int32_t y) override;

private:
    TBigBitmap& FBitmap;
};

// The rows of a 24-bit standard bitmap, painted white here.
class TBitmapRows : public TPictureRows {
public:
    explicit TBitmapRows(TBitmap& bitmap);
    uint8_t* Row(int32_t y) override;

private:
    TBitmap& FBitmap;
};


}  // namespace quilmo
