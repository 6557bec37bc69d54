#include "batch_pair.h"

#include <algorithm>

namespace quilmo {

std::vector<TBatchPair> MakePairs(const std::vector<std::string>& list1,
                                  const std::vector<std::string>& list2)
{
    std::vector<TBatchPair> pairs(std::max(list1.size(), list2.size()));
    for (size_t i = 0; i < pairs.size(); ++i) {
        pairs[i].Number = static_cast<int32_t>(i + 1);
        if (i < list1.size()) pairs[i].Left = list1[i];
        if (i < list2.size()) pairs[i].Right = list2[i];
    }
    return pairs;
}

}  // namespace quilmo
