#pragma once
// Decoded rows of a picture stored turned or mirrored (EXIF orientations 1 to 8) placed into
// the rows of the upright picture as they arrive, so no second copy of the picture is needed.

#include <cstdint>
#include <vector>

namespace quilmo {

class TPictureRows;

// Orientations 5 to 8 turn the picture by a quarter: width and height swap.
inline bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

class TOrientedRows {
public:
    // storedWidth x storedHeight is the size as stored; upright has the turned size.
    TOrientedRows(TPictureRows& upright, int orientation, int32_t storedWidth, int32_t storedHeight);

    // Where stored row y is to be decoded (storedWidth pixels of blue, green, red): its own
    // upright row when it stays a row, otherwise scratch memory.
    uint8_t* StoredRow(int32_t y);
    // Moves stored row y, decoded into StoredRow(y), to its upright place.
    void Place(int32_t y);

private:
    void MirrorInPlace(uint8_t* row) const;

    TPictureRows& FUpright;
    int FOrientation;
    int32_t FWidth;
    int32_t FHeight;
    std::vector<uint8_t> FScratch;
    std::vector<uint8_t*> FUprightRows;  // for the quarter turns, which write every upright row
};

}  // namespace quilmo
