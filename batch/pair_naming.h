#pragma once
// The names batch results are saved and printed under.

#include <cstdint>
#include <string>

#include "batch_pair.h"
#include "run_settings.h"

namespace quilmo {

// k in decimal with at least two digits: 01 to 09, then 10, 11, ..., 100, ...
std::string TwoDigitNumber(int32_t k);

// The file-name part of path without any occurrence of its extension (the text from its last
// ".", compared as written): a.jpg gives a, x.jpg.jpg gives x, a name without a dot stays.
std::string FileTitle(const std::string& path);

// The name of pair's result without folder and extension: nameText and the number, or the file
// title of list 2's picture (list 1's when the pair has none) alone, after nameText or before it.
std::string PairBaseName(const TBatchPair& pair, TBatchNaming naming, const std::string& nameText);

// folder, the base name and ".jpg" or ".bmp" by the format, put together as they are: a folder
// without a trailing separator runs into the name.
std::string PairFileName(const TBatchPair& pair, const TBatchRunSettings& settings,
                         const std::string& folder);

// "Quilmoバッチ印刷 No." and the pair's number with at least two digits.
std::string PrintJobTitle(int32_t k);

// The file pair k's print job writes when the printer writes to fileName: the number with at
// least two digits added before the extension, print.pdf giving print-01.pdf.
std::string NumberedFileName(const std::string& fileName, int32_t k);

}  // namespace quilmo
