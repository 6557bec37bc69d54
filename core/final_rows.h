#pragma once
// The rows of a joined picture told final: once told, no task of the join writes them again, so
// the file writer encodes them while the work goes on. This is the one place that decides them,
// from the fill done in order and where each picture stands. It reads the pictures' states, so
// the join calls it under the lock that every change of those states is made under.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "bigbitmap/geometry.h"

namespace quilmo {

class TPictureStates;

class TFinalRows {
public:
    // A joined picture height rows high, filled in groups of fillRows rows, with pictures at
    // places; tell hears every larger count of final rows, counted from the top.
    TFinalRows(int32_t height, int32_t fillRows, std::span<const TRect> places,
               std::function<void(int32_t rows)> tell);

    // After the fill or a picture got further: fillsInOrder fill groups are done from the first.
    void Update(size_t fillsInOrder, const TPictureStates& pictures);
    int32_t Told() const { return FTold; }

private:
    int32_t FHeight;
    int32_t FFillRows;
    std::vector<int32_t> FTops;
    std::function<void(int32_t)> FTell;
    int32_t FTold = 0;
};

}  // namespace quilmo
