#pragma once
// Which file a name means, as a save under it sees it: names that reach one file through other
// spellings, symbolic links or hard links mean the same file, and so do names of files that do
// not exist yet that a save would create in the same place (a dangling link included).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "bigbitmap/save_target.h"

namespace quilmo {

struct TFileIdentity {
    std::string Path;  // the file a save under the name writes (SaveTarget)
    // Device and inode, when the file exists.
    std::optional<std::pair<uint64_t, uint64_t>> Node;
};

inline bool SameFile(const TFileIdentity& a, const TFileIdentity& b)
{
    return (a.Node && a.Node == b.Node) || a.Path == b.Path;
}

class TFileIdentities {
public:
    TFileIdentity Of(const std::string& name);

private:
    TSaveTargets FTargets;
};

// A value for each file; a file is found by its device and inode, or else by its path.
template <typename T>
class TFileMap {
public:
    const T* Find(const TFileIdentity& file) const
    {
        if (file.Node) {
            const auto byNode = FByNode.find(*file.Node);
            if (byNode != FByNode.end()) return &byNode->second;
        }
        const auto byPath = FByPath.find(file.Path);
        return byPath == FByPath.end() ? nullptr : &byPath->second;
    }
    void Set(const TFileIdentity& file, const T& value)
    {
        // By path too: a file written later gets a node that was not known now.
        FByPath[file.Path] = value;
        if (file.Node) FByNode[*file.Node] = value;
    }

private:
    std::unordered_map<std::string, T> FByPath;
    std::map<std::pair<uint64_t, uint64_t>, T> FByNode;
};

}  // namespace quilmo
