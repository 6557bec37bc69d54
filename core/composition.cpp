#include "composition.h"

#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "bigbitmap/errors.h"
#include "compose_work.h"
#include "join_layout.h"
#include "resample/work_threads.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// A large joined picture's memory is set up (its rows' padding cleared) off a window's thread.
void AllocateAside(TBigBitmap& joined, TSize size)
{
    RunAside([&] { joined.Allocate(size.Width, size.Height, bbpf24bit); });
}

}  // namespace

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

TSize TPictureList::SizeOf(size_t i)
{
    return {FPictures[i]->GetWidth(), FPictures[i]->GetHeight()};
}

void TPictureList::Read(size_t i, TJoinPicture& picture)
{
    auto* big = dynamic_cast<TBigBitmap*>(FPictures[i]);
    if (big && big->PixelFormat() == bbpf24bit) {
        picture.Pixels = big;
        return;
    }
    MakeWorkingCopy(*FPictures[i], picture.Copy);
    picture.Pixels = &picture.Copy;
}

TColorProfile JoinColorSpace(TJoinSource& source, TColorSpaceChoice choice)
{
    std::vector<TColorProfile> profiles;
    for (size_t i = 0; i < source.Count(); ++i) profiles.push_back(source.ProfileOf(i));
    return JoinedColorSpace(profiles, choice);
}

std::vector<TRect> ComposeJoined(TJoinSource& source, const TJoinSettings& settings,
                                 const TColorProfile& space, const TProgressProc& progress,
                                 TBigBitmap& joined, const TJoinHooks& hooks)
{
    std::vector<TSize> sizes;
    for (size_t i = 0; i < source.Count(); ++i) {
        sizes.push_back(source.SizeOf(i));
        // A size of zero would divide by zero in the layout and cannot be joined anyway.
        if (sizes.back().Width <= 0 || sizes.back().Height <= 0)
            throw EInvalidGraphic(UiText(UI_TEXT("quilmo", "空の画像は連結できません")));
    }
    const TJoinLayout layout = LayOutJoin(sizes, settings);
    const TRect frame = settings.Frame();
    const TSize framed = FramedSize(layout.Size.Width, layout.Size.Height, frame);
    // Every pixel is written once: by a picture, or by the colour where none lies.
    AllocateAside(joined, framed);
    if (hooks.Sized) hooks.Sized(joined);
    if (progress) progress(0, 100, 3);
    std::vector<TRect> places;
    for (const TRect& place : layout.Placements) places.push_back(OffsetRectBy(place, frame));
    ComposePixels(source, places, settings, space, joined, progress, hooks);
    return layout.Placements;
}

namespace {

// The parts of a joined picture, each read in place, in its colours.
class TJoinedParts : public TJoinSource {
public:
    TJoinedParts(TBigBitmap& joined, const TColorProfile& space, std::span<const TRect> parts)
        : FJoined(joined), FSpace(space), FParts(parts)
    {
    }
    size_t Count() const override { return FParts.size(); }
    TSize SizeOf(size_t i) override { return {FParts[i].Width(), FParts[i].Height()}; }
    TColorProfile ProfileOf(size_t) override { return FSpace; }
    void Read(size_t i, TJoinPicture& picture) override
    {
        picture.Pixels = &FJoined;
        picture.Area = FParts[i];
    }

private:
    TBigBitmap& FJoined;
    const TColorProfile& FSpace;
    std::span<const TRect> FParts;
};

}  // namespace

void RearrangeJoined(TBigBitmap& joined, const TColorProfile& space, std::span<const TRect> from,
                     std::span<const TRect> to, const TRect& frame, TColor color, TSize size,
                     const std::function<void(size_t)>& afterCopy, TBigBitmap& output)
{
    const TSize framed = FramedSize(size.Width, size.Height, frame);
    AllocateAside(output, framed);
    std::vector<TRect> sources, places;
    for (size_t k = 0; k < from.size(); ++k) {
        sources.push_back(OffsetRectBy(from[k], frame));
        places.push_back(OffsetRectBy(to[k], frame));
    }
    TJoinedParts parts(joined, space, sources);
    // Moved as they are: every part keeps its size.
    TJoinSettings copying;
    copying.Method = rmOriginal;
    copying.JoinColor = color;
    TJoinHooks hooks;
    hooks.Placed = afterCopy;
    ComposePixels(parts, places, copying, space, output, {}, hooks);
}

}  // namespace quilmo
