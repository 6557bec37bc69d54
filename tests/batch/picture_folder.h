#pragma once
// A fresh folder of small BMP pictures for one test, removed with the object.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bigbitmap/bitmap.h"
#include "core/picture_helpers.h"

namespace quilmo::test {

class TPictureFolder {
public:
    TPictureFolder()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        FPath = std::filesystem::temp_directory_path() /
                ("quilmo_batch_" + std::string(test->test_suite_name()) + "_" + test->name());
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TPictureFolder() { std::filesystem::remove_all(FPath); }
    TPictureFolder(const TPictureFolder&) = delete;
    TPictureFolder& operator=(const TPictureFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    // The folder as the batch folder holds it: with its trailing separator.
    std::string Folder() const { return (FPath / "").string(); }

    // A 24-bit BMP of one colour; its full path.
    std::string Picture(const std::string& name, int32_t width, int32_t height, TColor colour) const
    {
        TBitmap picture;
        SetupBitmap(picture, width, height, colour);
        picture.SaveToFile(FPath / name);
        return File(name);
    }
    // A file no decoder reads.
    std::string Broken(const std::string& name) const
    {
        std::ofstream(FPath / name) << "no picture";
        return File(name);
    }

private:
    std::filesystem::path FPath;
};

}  // namespace quilmo::test
