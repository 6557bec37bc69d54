#pragma once
// The pictures join reads: every file once for its size before anything is joined, so that a
// file that cannot be opened stops the command early, and then each picture as it is placed,
// decoded only then and only once.

#include <memory>
#include <string>
#include <vector>

#include "bigbitmap/graphic.h"
#include "core/composition.h"

namespace quilmo::cli {

class TJoinFiles : public TJoinSource {
public:
    // Reads every file's size; raises an error naming the first one that cannot be read.
    explicit TJoinFiles(std::vector<std::string> paths);

    size_t Count() const override { return FPaths.size(); }
    TSize SizeOf(size_t i) override { return FSizes[i]; }
    TColorProfile ProfileOf(size_t i) override { return FProfiles[i]; }
    // Errors name the file.
    void Read(size_t i, TJoinPicture& picture) override;
    // Picture i as first read, until it is read for the join; nothing for BMP files.
    const TGraphic* Kept(size_t i) const { return FKept[i].get(); }

private:
    std::vector<std::string> FPaths;
    std::vector<TSize> FSizes;
    std::vector<TColorProfile> FProfiles;
    // Each picture as first read, until it is placed: compressed pictures as their file's bytes
    // (only the header read), plug-in pictures decoded. BMP files are read again instead.
    std::vector<std::unique_ptr<TGraphic>> FKept;
};

}  // namespace quilmo::cli
