#include "composition.h"

#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "bigbitmap/errors.h"
#include "join_layout.h"

namespace quilmo {

namespace {

// picture as a 24-bit working copy; indexed big bitmaps are converted through their palette.
void MakeWorkingCopy(TGraphic& picture, TBigBitmap& work)
{
    work.SetPixelFormat(bbpf24bit);
    work.Assign(&picture);
    if (work.PixelFormat() == bbpf24bit) return;
    TBigBitmap trueColor;
    SetupBigBitmapWhite(trueColor, work.GetWidth(), work.GetHeight());
    const TRect whole{0, 0, work.GetWidth(), work.GetHeight()};
    trueColor.Canvas().CopyRect(whole, work, whole);
    work.TakeOver(trueColor);
}

}  // namespace

TSize TPictureList::SizeOf(size_t i)
{
    return {FPictures[i]->GetWidth(), FPictures[i]->GetHeight()};
}

std::vector<TRect> ComposeJoined(TJoinSource& source, const TJoinSettings& settings,
                                 const TProgressProc& progress, TBigBitmap& joined)
{
    std::vector<TSize> sizes;
    for (size_t i = 0; i < source.Count(); ++i) {
        sizes.push_back(source.SizeOf(i));
        // A size of zero would divide by zero in the layout and cannot be joined anyway.
        if (sizes.back().Width <= 0 || sizes.back().Height <= 0)
            throw EInvalidGraphic("Cannot join an empty picture");
    }
    const TJoinLayout layout = LayOutJoin(sizes, settings);
    const TRect frame = settings.Frame();
    SetupBigBitmapFramed(joined, layout.Size.Width, layout.Size.Height, frame, settings.JoinColor);
    progress(0, 100, 3);

    // One working copy at a time: converted, enlarged, drawn and freed, so that memory holds
    // the joined picture and a single source rather than all of them.
    const auto count = static_cast<int32_t>(std::min<size_t>(sizes.size(), INT32_MAX));
    for (size_t i = 0; i < sizes.size(); ++i) {
        TBigBitmap work;
        MakeWorkingCopy(source.Picture(i), work);
        const TRect& place = layout.Placements[i];
        if (settings.Method != rmOriginal)
            BigEnlarge(work, place.Width(), place.Height(), settings.Method, settings.FUseSSE2,
                       count, progress);
        if (work.GetWidth() != place.Width() || work.GetHeight() != place.Height())
            throw EConvertError("A picture changed its size while it was converted");
        joined.Canvas().CopyRect(OffsetRectBy(place, frame), work,
                                 {0, 0, place.Width(), place.Height()});
    }
    return layout.Placements;
}

void RearrangeJoined(TBigBitmap& joined, std::span<const TRect> from, std::span<const TRect> to,
                     const TRect& frame, TColor color, TSize size,
                     const std::function<void(size_t)>& afterCopy, TBigBitmap& output)
{
    SetupBigBitmapFramed(output, size.Width, size.Height, frame, color);
    for (size_t k = 0; k < from.size(); ++k) {
        output.Canvas().CopyRect(OffsetRectBy(to[k], frame), joined, OffsetRectBy(from[k], frame));
        afterCopy(k);
    }
}

}  // namespace quilmo
