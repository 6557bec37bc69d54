#pragma once
// Joining pictures into one, and rearranging a joined picture without touching its pixels'
// scale: the work behind a build, a reversal and a gap change.

#include <functional>
#include <span>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/geometry.h"
#include "color/color_profile.h"
#include "join_settings.h"
#include "picture_helpers.h"
#include "resample/resample.h"

namespace quilmo {

class TGraphic;

// A picture of a join as the builder reads it: 24-bit rows, either of a picture the source
// keeps (read in place, never changed) or of a working copy made for the join.
struct TJoinPicture {
    TBigBitmap* Pixels = nullptr;  // Copy, or the source's own 24-bit picture
    TBigBitmap Copy;
    // The part of Pixels that is the picture; empty: all of it.
    TRect Area{};
};

// picture as a 24-bit working copy; indexed big bitmaps are converted through their palette.
void MakeWorkingCopy(TGraphic& picture, TBigBitmap& work);

// The pictures of a join, in order. Every size is asked for first, on the calling thread; then
// each picture is read once, in order of its index but possibly on several threads at once, so
// reads must not disturb one another.
class TJoinSource {
public:
    virtual ~TJoinSource() = default;
    virtual size_t Count() const = 0;
    virtual TSize SizeOf(size_t i) = 0;
    // The colours of picture i's numbers; asked with the sizes.
    virtual TColorProfile ProfileOf(size_t i) = 0;
    // Picture i as 24-bit rows; the builder lets go of it once it is drawn.
    virtual void Read(size_t i, TJoinPicture& picture) = 0;
};

// Pictures already in memory, with their profiles (none: all sRGB); 24-bit big bitmaps are read
// in place.
class TPictureList : public TJoinSource {
public:
    explicit TPictureList(std::span<TGraphic* const> pictures, std::span<const TColorProfile> profiles = {})
        : FPictures(pictures), FProfiles(profiles)
    {
    }
    size_t Count() const override { return FPictures.size(); }
    TSize SizeOf(size_t i) override;
    TColorProfile ProfileOf(size_t i) override { return i < FProfiles.size() ? FProfiles[i] : TColorProfile(); }
    void Read(size_t i, TJoinPicture& picture) override;

private:
    std::span<TGraphic* const> FPictures;
    std::span<const TColorProfile> FProfiles;
};

// The colours the pictures of source are joined in, by choice (see JoinedColorSpace).
TColorProfile JoinColorSpace(TJoinSource& source, TColorSpaceChoice choice);

// What a caller may hear of a join while it is made.
struct TJoinHooks {
    // The joined picture has its size (no pixel is written yet); on the calling thread.
    std::function<void(TBigBitmap& joined)> Sized;
    // Rows 0..rows-1 of the joined picture are final; from any thread, rows only growing.
    std::function<void(int32_t rows)> RowsDone;
    // Picture i is drawn, and so is every one before it; on the calling thread, in order.
    std::function<void(size_t i)> Placed;
};

// Join the pictures of source into joined (24 bits, frame included) by the layout rule of
// settings, in the colours of space: a picture whose profile differs is converted as it is
// placed, and so is the join colour (sRGB). Returns each picture's rectangle without the frame. Progress is reported as
// (0, 100, 3) once the joined picture exists, then as the enlargers report, always on the
// calling thread. The work uses WorkThreads() threads: pictures are read on several at once and
// large pictures are scaled in row bands shared among them; with one thread it is done in order,
// one picture after the other. Besides the joined picture, each thread holds at most one picture
// at a time (pictures are scaled straight into their places). On failure joined may hold a
// partial result and the error of the earliest picture that failed is raised; the pictures are
// never changed.
std::vector<TRect> ComposeJoined(TJoinSource& source, const TJoinSettings& settings,
                                 const TColorProfile& space, const TProgressProc& progress,
                                 TBigBitmap& joined, const TJoinHooks& hooks = {});

// Build output (size without frame, in color, framed as joined is) from the parts of joined at
// from[k] copied to to[k], both measured without frame; joined and output are in the colours of
// space, color in sRGB. afterCopy(k) runs after each part.
void RearrangeJoined(TBigBitmap& joined, const TColorProfile& space, std::span<const TRect> from,
                     std::span<const TRect> to, const TRect& frame, TColor color, TSize size,
                     const std::function<void(size_t)>& afterCopy, TBigBitmap& output);

}  // namespace quilmo
