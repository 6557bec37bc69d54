#pragma once
// Saving batch results: one file a pair, named by the run's naming scheme.

#include <string>

#include "batch_pair.h"
#include "output/jpeg_writer.h"
#include "pair_picture.h"
#include "run_settings.h"

namespace quilmo {

class TBitmap;

// What became of one pair.
struct TPairOutcome {
    bool Ok = false;
    std::string FileName;  // the file the result went to, or was meant to
    std::string Error;     // why not, when it failed
    std::string Note;      // what the user should know of a saved result
};

// Writes result, in the colours of profile, to fileName as SavePictureFile does: JPEG with jpeg's
// settings for a ".jpg" name, WebP for ".webp", PNG for ".png", an uncompressed 24-bit BMP otherwise. An existing
// file is replaced as a whole; a failed write raises and leaves no partial file and the old file
// as it was.
void SavePair(TBitmap& result, const TColorProfile& profile, const std::string& fileName,
              const TJpegSaveOptions& jpeg);

// A save run's work on one pair: joined, resized when asked, and saved into folder under its
// name (PairFileName); losslessly when the settings ask for JPEG results so, with a note on
// requantised pictures. Never raises; a failure is in the outcome.
TPairOutcome JoinAndSavePair(const TBatchPair& pair, const TBatchRunSettings& settings,
                             const std::string& folder, const TLoadErrorProc& loadError);

}  // namespace quilmo
