#include "pixel_limit.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "errors.h"
#include "ui_text.h"

namespace quilmo {

namespace {
std::atomic<int64_t> maxPixels{kDefaultMaxPicturePixels};
}

int64_t MaxPicturePixels()
{
    return maxPixels.load(std::memory_order_relaxed);
}

void SetMaxPicturePixels(int64_t limit)
{
    maxPixels.store(std::max<int64_t>(limit, 1), std::memory_order_relaxed);
}

void CheckPicturePixels(int64_t width, int64_t height)
{
    const int64_t limit = MaxPicturePixels();
    // Compared by division so that sizes from a lying header cannot overflow the product.
    if (width > 0 && height > 0 && width > limit / height)
        throw EInvalidGraphic(FillIn(UiText(UI_TEXT("quilmo", "画像が大きすぎます: %1 x %2 ピクセル (上限は %3 ピクセル)")),
                                     {std::to_string(width), std::to_string(height), std::to_string(limit)}));
}

}  // namespace quilmo
