#pragma once
// Joining pictures into one, and rearranging a joined picture without touching its pixels'
// scale: the work behind a build, a reversal and a gap change.

#include <functional>
#include <span>
#include <vector>

#include "bigbitmap/geometry.h"
#include "join_settings.h"
#include "picture_helpers.h"
#include "resample/resample.h"

namespace quilmo {

class TBigBitmap;
class TGraphic;

// The pictures of a join, in order. Every size is asked for before the first picture, and then
// each picture once, in order, as it is placed: a source may read a picture only when asked and
// let it go at the next call.
class TJoinSource {
public:
    virtual ~TJoinSource() = default;
    virtual size_t Count() const = 0;
    virtual TSize SizeOf(size_t i) = 0;
    // Picture i, valid until the next call.
    virtual TGraphic& Picture(size_t i) = 0;
};

// Pictures already in memory.
class TPictureList : public TJoinSource {
public:
    explicit TPictureList(std::span<TGraphic* const> pictures) : FPictures(pictures) {}
    size_t Count() const override { return FPictures.size(); }
    TSize SizeOf(size_t i) override;
    TGraphic& Picture(size_t i) override { return *FPictures[i]; }

private:
    std::span<TGraphic* const> FPictures;
};

// Join the pictures of source into joined (24 bits, frame included) by the layout rule of
// settings; returns each picture's rectangle without the frame. Progress is reported as
// (0, 100, 3) once the joined picture exists, then by the resamplers. Only the joined picture
// and one picture, at its own and at its drawn size, are held at a time. On failure joined may
// hold a partial result; the pictures are never changed.
std::vector<TRect> ComposeJoined(TJoinSource& source, const TJoinSettings& settings,
                                 const TProgressProc& progress, TBigBitmap& joined);

// Build output (size without frame, in color, framed as joined is) from the parts of joined at
// from[k] copied to to[k], both measured without frame. afterCopy(k) runs after each part.
void RearrangeJoined(TBigBitmap& joined, std::span<const TRect> from, std::span<const TRect> to,
                     const TRect& frame, TColor color, TSize size,
                     const std::function<void(size_t)>& afterCopy, TBigBitmap& output);

}  // namespace quilmo
