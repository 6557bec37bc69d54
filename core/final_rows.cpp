#include "final_rows.h"

#include <algorithm>
#include <utility>

#include "picture_states.h"

namespace quilmo {

TFinalRows::TFinalRows(int32_t height, int32_t fillRows, std::span<const TRect> places,
                       std::function<void(int32_t rows)> tell)
    : FHeight(height), FFillRows(fillRows), FTell(std::move(tell))
{
    for (const TRect& place : places) FTops.push_back(place.Top);
}

void TFinalRows::Update(size_t fillsInOrder, const TPictureStates& pictures)
{
    int32_t rows = static_cast<int32_t>(std::min<int64_t>(FHeight, int64_t(fillsInOrder) * FFillRows));
    // A picture not drawn yet may still write every row from the first it has not done.
    for (size_t i = 0; i < FTops.size(); ++i)
        if (pictures.State(i) != TPictureStates::Drawn) rows = std::min(rows, FTops[i] + pictures.RowsInOrder(i));
    if (rows <= FTold) return;
    FTold = rows;
    if (FTell) FTell(rows);
}

}  // namespace quilmo
