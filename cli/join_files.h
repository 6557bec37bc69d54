#pragma once
// The pictures join reads: every file once for its size before anything is joined, so that a
// file that cannot be read stops the command early, and then one at a time as it is placed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bigbitmap/graphic.h"
#include "core/composition.h"

namespace quilmo::cli {

class TJoinFiles : public TJoinSource {
public:
    // Reads every file; raises an error naming the first one that cannot be read.
    explicit TJoinFiles(std::vector<std::string> paths);

    size_t Count() const override { return FPaths.size(); }
    TSize SizeOf(size_t i) override { return FSizes[i]; }
    TGraphic& Picture(size_t i) override;

    // Told the index of each picture as it is asked for, before it is read.
    std::function<void(size_t)> OnPicture;

private:
    std::vector<std::string> FPaths;
    std::vector<TSize> FSizes;
    // Pictures that stay compressed (JPEG, PNG, GIF) cost only their file's bytes and are kept
    // from the first reading; the others are read again when placed.
    std::vector<std::unique_ptr<TGraphic>> FKept;
    std::unique_ptr<TGraphic> FCurrent;
};

}  // namespace quilmo::cli
