#pragma once
// The pictures of a pair read from their files, and the pair's joined result.

#include <functional>
#include <memory>
#include <string>

#include "batch_pair.h"
#include "color/color_profile.h"
#include "run_settings.h"

namespace quilmo {

class TBitmap;

// A picture file as the batch works on it: a 24-bit standard bitmap, or why there is none.
struct TBatchPicture {
    std::unique_ptr<TBitmap> Bitmap;
    TColorProfile Profile;       // the colours of its numbers
    std::string Error;           // the message when there is no bitmap
    bool PluginFailure = false;  // the failure is a plug-in's error code
};

// Decodes path by its extension (plug-in formats included); never raises.
TBatchPicture ReadBatchPicture(const std::string& path);

// Shows the message of the picture at path that a plug-in could not read.
using TLoadErrorProc = std::function<void(const std::string& path, const std::string& message)>;

// result := pair's pictures joined (list 2's read first) and, when settings ask for it,
// resized: what a run saves or prints. Returns the colours of the result, which settings choose
// by the rule of JoinedColorSpace; pictures in other colours are converted before the join. A
// picture a plug-in cannot read is shown to loadError and replaced by a white 320 x 240 page.
// Any other picture that cannot be read raises EReadError with the file's name and the reason,
// as does a pair without pictures; sizes the join cannot make raise too.
TColorProfile MakePairPicture(const TBatchPair& pair, const TBatchRunSettings& settings,
                              const TLoadErrorProc& loadError, TBitmap& result);

}  // namespace quilmo
