#pragma once
// Whether a save under the sources' own names can replace source pictures: the results' folder
// is the folder of a source.

#include <filesystem>
#include <map>
#include <string>

#include "batch_pair.h"
#include "run_settings.h"

namespace quilmo {

// The results are named by their sources' titles alone: "同名保存", or a prefix or suffix
// that adds nothing.
bool KeepsSourceTitles(const TBatchRunSettings& settings);

class TSourceFolderCheck {
public:
    // folder: the text put in front of the result names.
    explicit TSourceFolderCheck(const std::string& folder);

    // A picture of pair lies in the results' folder. Folders are compared as the file system
    // sees them (links and different spellings of one folder are the same folder); a folder
    // that does not exist holds nothing.
    bool HoldsSourceOf(const TBatchPair& pair);

private:
    bool Holds(const std::string& source);

    std::filesystem::path FTarget;
    // Source folders already compared, so that long lists from few folders are quick.
    std::map<std::filesystem::path, bool> FKnown;
};

}  // namespace quilmo
