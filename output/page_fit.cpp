#include "page_fit.h"

#include <algorithm>

namespace quilmo {

namespace {

// The picture's height-to-width ratio, in 1/128 steps, below which it is fitted exactly.
constexpr int64_t kExactBelowRatio = 16;

}  // namespace

TRect FitToPage(const TRect& printable, int32_t width, int32_t height)
{
    // 64-bit products: a very tall picture's ratio no longer fits 32 bits once multiplied.
    const int64_t pageWidth = printable.Width();
    const int64_t pageHeight = printable.Height();
    const int64_t pictureRatio = int64_t{height} * 128 / width;
    const int64_t pageRatio = pageHeight * 128 / pageWidth;
    if (pictureRatio > pageRatio) {
        // Relatively taller than the page: full height, centred across.
        const int64_t shownWidth = pageHeight * 128 / pictureRatio;
        const auto dx = static_cast<int32_t>((pageWidth - shownWidth) >> 1);
        return {printable.Left + dx, printable.Top, printable.Right - dx, printable.Bottom};
    }
    // A picture more than eight times as wide as high would lose up to a sixteenth of its height
    // or more to the 1/128 steps (all of it beyond 128 times): it keeps its exact proportions.
    const int64_t shownHeight = pictureRatio >= kExactBelowRatio
                                    ? (pageWidth * pictureRatio) >> 7
                                    : std::max<int64_t>(pageWidth * height / width, 1);
    const auto dy = static_cast<int32_t>((pageHeight - shownHeight) >> 1);
    return {printable.Left, printable.Top + dy, printable.Right, printable.Bottom - dy};
}

}  // namespace quilmo
