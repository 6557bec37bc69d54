#include "join_files.h"

#include <filesystem>
#include <stdexcept>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/stream.h"
#include "input/color_tagged.h"
#include "input/compressed_graphic.h"
#include "input/graphic_registry.h"
#include "input/picture_reading.h"
#include "input/susie_errors.h"

namespace quilmo::cli {

namespace {

// A script wants to know about every input that cannot be read, so here that is an error.
// Whatever is there is left to the reader, which refuses a pipe, a device or a folder at once
// and says so.
std::unique_ptr<TGraphic> ReadInput(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw std::runtime_error(path + ": no such file");
    std::unique_ptr<TGraphic> picture;
    try {
        picture = NewGraphicFor(path);
        if (auto* compressed = dynamic_cast<TCompressedGraphic*>(picture.get())) {
            TFileStream file(path, TFileMode::fmOpenRead);
            compressed->LoadHeader(file.ReadRest());
        } else {
            picture->LoadFromFile(path);
        }
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
    // A plug-in reports a file it cannot read through its error code alone.
    if (const int32_t code = TakeSusieError())
        throw std::runtime_error(path + ": " + LoadErrorMessage(code));
    return picture;
}

}  // namespace

TJoinFiles::TJoinFiles(std::vector<std::string> paths) : FPaths(std::move(paths))
{
    for (const std::string& path : FPaths) {
        std::unique_ptr<TGraphic> picture = ReadInput(path);
        FSizes.push_back({picture->GetWidth(), picture->GetHeight()});
        FProfiles.push_back(quilmo::ProfileOf(*picture));
        if (dynamic_cast<TBigBitmap*>(picture.get())) picture.reset();
        FKept.push_back(std::move(picture));
    }
}

void TJoinFiles::Read(size_t i, TJoinPicture& picture)
{
    const std::unique_ptr<TGraphic> kept = std::move(FKept[i]);
    try {
        if (kept) {
            TakeWorkingCopy(*kept, picture.Copy);
        } else {
            TBigBitmap bmp;
            bmp.LoadFromFile(FPaths[i]);
            MakeWorkingCopy(bmp, picture.Copy);
        }
    } catch (const std::exception& e) {
        throw std::runtime_error(FPaths[i] + ": " + e.what());
    }
    picture.Pixels = &picture.Copy;
}

}  // namespace quilmo::cli
