#pragma once
// A fresh folder of small BMP pictures for one test, removed with the object.

#include <filesystem>
#include <fstream>
#include <string>

#include "bigbitmap/bitmap.h"
#include "core/picture_helpers.h"
#include "support/scratch_folder.h"

namespace quilmo::test {

class TPictureFolder {
public:
    const std::filesystem::path& Path() const { return FScratch.Path(); }
    std::string File(const std::string& name) const { return (FScratch / name).string(); }
    // The folder as the batch folder holds it: with its trailing separator.
    std::string Folder() const { return (FScratch / "").string(); }

    // A 24-bit BMP of one colour; its full path.
    std::string Picture(const std::string& name, int32_t width, int32_t height, TColor colour) const
    {
        TBitmap picture;
        SetupBitmap(picture, width, height, colour);
        picture.SaveToFile(FScratch / name);
        return File(name);
    }
    // A file no decoder reads.
    std::string Broken(const std::string& name) const
    {
        std::ofstream(FScratch / name) << "no picture";
        return File(name);
    }

private:
    TScratchFolder FScratch;
};

}  // namespace quilmo::test
