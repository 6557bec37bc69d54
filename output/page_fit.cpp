#include "page_fit.h"

namespace quilmo {

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
    const int64_t shownHeight = (pageWidth * pictureRatio) >> 7;
    const auto dy = static_cast<int32_t>((pageHeight - shownHeight) >> 1);
    return {printable.Left, printable.Top + dy, printable.Right, printable.Bottom - dy};
}

}  // namespace quilmo
