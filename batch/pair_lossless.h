#pragma once
// A pair joined from its JPEG pictures' own coefficients, placed as the pair join places
// pictures at their own size: the batch's lossless JPEG results.

#include <string>

#include "batch_pair.h"
#include "run_settings.h"

namespace quilmo {

// Writes pair's pictures into fileName as SaveLosslessJpeg does (list 1's picture first side by
// side, list 2's when stacked: its tables are the file's), the margin colour around them.
// Returns the note on pictures requantised to the first one's tables, empty when there are
// none. A pair the settings or its pictures keep from being joined losslessly (a resampling
// method, a resized result...) raises ELosslessRefused with every reason; a picture that
// cannot be read raises EReadError naming it.
std::string SaveLosslessPair(const TBatchPair& pair, const TBatchRunSettings& settings, const std::string& fileName);

}  // namespace quilmo
