#pragma once
// The pairs of a batch run: row i of list 1 and row i of list 2 form pair i + 1. Where one list
// is longer, its remaining rows follow as pairs with one picture.

#include <cstdint>
#include <string>
#include <vector>

namespace quilmo {

struct TBatchPair {
    int32_t Number = 0;  // from 1; sequential names and print titles carry it
    std::string Left;    // list 1: the left picture, or the bottom one when stacked; may be empty
    std::string Right;   // list 2: the right picture, or the top one; may be empty
};

std::vector<TBatchPair> MakePairs(const std::vector<std::string>& list1,
                                  const std::vector<std::string>& list2);

}  // namespace quilmo
