#include "pair_saving.h"

#include <exception>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/bitmap.h"
#include "output/picture_file.h"
#include "pair_lossless.h"
#include "pair_naming.h"

namespace quilmo {

void SavePair(TBitmap& result, const TColorProfile& profile, const std::string& fileName,
              const TJpegSaveOptions& jpeg)
{
    TBigBitmap picture;
    picture.Assign(&result);
    SavePictureFile(picture, fileName, jpeg, profile);
}

TPairOutcome JoinAndSavePair(const TBatchPair& pair, const TBatchRunSettings& settings,
                             const std::string& folder, const TLoadErrorProc& loadError)
{
    TPairOutcome outcome;
    try {
        outcome.FileName = PairFileName(pair, settings, folder);
        if (settings.Lossless && settings.Format == bfJPG) {
            outcome.Note = SaveLosslessPair(pair, settings, outcome.FileName);
        } else {
            TBitmap result;
            const TColorProfile profile = MakePairPicture(pair, settings, loadError, result);
            SavePair(result, profile, outcome.FileName, settings.Jpeg);
        }
        outcome.Ok = true;
    } catch (const std::exception& e) {
        outcome.Error = e.what();
    }
    return outcome;
}

}  // namespace quilmo
