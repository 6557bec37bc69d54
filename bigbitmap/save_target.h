#pragma once
// The file a save under a name writes. The save itself and whoever compares names before saving
// (the batch's guard against results replacing files) resolve names here, so that they never
// hold two ideas of "the same file".

#include <filesystem>
#include <string>
#include <unordered_map>

namespace quilmo {

// Symbolic links are followed, so that they stay links to the new content: link after link,
// dangling ones included, each relative link target taken from the link's own folder. The file
// found is named absolutely, with every link of its folder resolved. A loop of links (or a chain
// longer than the system follows) raises EWriteError "Cannot create file "NAME". Too many levels
// of symbolic links".
class TSaveTargets {
public:
    std::filesystem::path Of(const std::filesystem::path& name);

private:
    // Folders as written and where they lead, so that long lists from a few folders resolve
    // each folder once.
    std::unordered_map<std::string, std::filesystem::path> FFolders;
};

// The target of one save.
std::filesystem::path SaveTarget(const std::filesystem::path& name);

}  // namespace quilmo
