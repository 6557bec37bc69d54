#include "source_folder.h"

namespace quilmo {

namespace {

std::filesystem::path FolderOf(const std::string& name)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(name, error);
    return error ? std::filesystem::path() : path.parent_path();
}

}  // namespace

bool KeepsSourceTitles(const TBatchRunSettings& settings)
{
    return settings.Naming == bnSameName ||
           ((settings.Naming == bnPrefix || settings.Naming == bnSuffix) && settings.NameText.empty());
}

TSourceFolderCheck::TSourceFolderCheck(const std::string& folder)
    // The results are folder + name, so their folder is where such a name lands.
    : FTarget(FolderOf(folder + "x"))
{
}

bool TSourceFolderCheck::HoldsSourceOf(const TBatchPair& pair)
{
    return Holds(pair.Left) || Holds(pair.Right);
}

bool TSourceFolderCheck::Holds(const std::string& source)
{
    if (source.empty()) return false;
    const std::filesystem::path folder = FolderOf(source);
    const auto known = FKnown.find(folder);
    if (known != FKnown.end()) return known->second;
    std::error_code error;
    const bool same = std::filesystem::equivalent(folder, FTarget, error) && !error;
    FKnown.emplace(folder, same);
    return same;
}

}  // namespace quilmo
