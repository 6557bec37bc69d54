// quilmo-cli join: what it writes, and that a failure writes nothing and says why.

#include <gtest/gtest.h>

#include <fstream>

#include "bigbitmap/big_bitmap.h"
#include "cli_runner.h"
#include "core/picture_helpers.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

class CliJoin : public ::testing::Test {
protected:
    TScratchFolder Folder;

    std::string Picture(const std::string& name, int32_t width, int32_t height, TColor colour)
    {
        TBigBitmap picture;
        SetupBigBitmap(picture, width, height, colour);
        picture.SaveToFile(Folder / name);
        return (Folder / name).string();
    }
    std::string Out(const std::string& name = "out.bmp") { return (Folder / name).string(); }
};

TEST_F(CliJoin, JoinsSideBySideWithGapFrameAndColour)
{
    const std::string a = Picture("a.bmp", 40, 30, RGBColor(200, 0, 0));
    const std::string b = Picture("b.bmp", 20, 10, RGBColor(0, 200, 0));
    const TCliResult result = RunCli(
        {"join", "--gap", "10", "--frame", "1,2,3,4", "--color", "102030", "-o", Out(), a, b});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "");  // no progress bar when stderr is no terminal
    TBigBitmap joined;
    joined.LoadFromFile(Out());
    EXPECT_EQ(joined.GetWidth(), 74);
    EXPECT_EQ(joined.GetHeight(), 36);
    EXPECT_EQ(ColourAt(joined, 0, 0), RGBColor(0x10, 0x20, 0x30));
    EXPECT_EQ(ColourAt(joined, 1, 2), RGBColor(200, 0, 0));
    EXPECT_EQ(ColourAt(joined, 41, 2), RGBColor(0x10, 0x20, 0x30));
    EXPECT_EQ(ColourAt(joined, 51, 11), RGBColor(0, 200, 0));
    EXPECT_EQ(ColourAt(joined, 51, 12), RGBColor(0x10, 0x20, 0x30));
}

TEST_F(CliJoin, TheFrameTakesOneValueAndLeavesThePicturesThatFollow)
{
    const std::string a = Picture("a.bmp", 10, 10, clWhite);
    const std::string b = Picture("b.bmp", 10, 10, clWhite);
    const TCliResult result = RunCli({"join", "--frame", "10,20,30,40", a, b, "-o", Out()});
    ASSERT_EQ(result.Status, 0) << result.Err;
    TBigBitmap joined;
    joined.LoadFromFile(Out());
    EXPECT_EQ(joined.GetWidth(), 60);
    EXPECT_EQ(joined.GetHeight(), 70);
}

TEST_F(CliJoin, HelpListsTheMethodsAndHowManyPictures)
{
    const TCliResult result = RunCli({"join", "--help"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_NE(result.Out.find("{original, bilinear, bicubic, lagrange, lanczos}"), std::string::npos)
        << result.Out;
    EXPECT_EQ(result.Out.find("->"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("[OPTIONS] IN(1 to 6)\n"), std::string::npos) << result.Out;
}

TEST_F(CliJoin, StacksAndEnlargesToTheWidestPicture)
{
    const std::string a = Picture("a.bmp", 30, 20, RGBColor(200, 0, 0));
    const std::string b = Picture("b.bmp", 10, 5, RGBColor(0, 200, 0));
    const TCliResult result =
        RunCli({"join", "--direction", "v", "--method", "bicubic", "-o", Out(), a, b});
    ASSERT_EQ(result.Status, 0) << result.Err;
    TBigBitmap joined;
    joined.LoadFromFile(Out());
    EXPECT_EQ(joined.GetWidth(), 30);
    EXPECT_EQ(joined.GetHeight(), 35);
}

TEST_F(CliJoin, AMissingOrUnreadableInputNamesTheFileAndWritesNothing)
{
    const std::string a = Picture("a.bmp", 4, 4, clWhite);
    const std::string missing = (Folder / "missing.bmp").string();
    TCliResult result = RunCli({"join", "-o", Out(), a, missing});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find(missing), std::string::npos) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(Out()));

    const std::string broken = (Folder / "broken.bmp").string();
    std::ofstream(broken) << "BM broken";
    std::ofstream(Out("old.jpg")) << "old";
    result = RunCli({"join", "-o", Out("old.jpg"), broken, a});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find(broken + ": "), std::string::npos) << result.Err;
    std::ifstream old(Out("old.jpg"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
}

TEST_F(CliJoin, APipeOrAFolderAmongTheInputsIsRefusedAtOnceAndNothingIsWritten)
{
    const std::string a = Picture("a.bmp", 4, 4, clWhite);
    for (const auto& [path, reason] : MakeNoRegularFiles(Folder)) {
        SCOPED_TRACE(path);
        const TCliResult result = RunCli({"join", "-o", Out(), a, path});
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Err, path + ": Cannot open file \"" + path + "\". " + reason + "\n");
        EXPECT_FALSE(std::filesystem::exists(Out()));
    }
}

TEST_F(CliJoin, APictureTooWideToJoinIsAnError)
{
    const std::string a = Picture("a.bmp", 15000, 1, clWhite);
    const TCliResult result = RunCli({"join", "-o", Out(), a, a});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits\n");
    EXPECT_FALSE(std::filesystem::exists(Out()));
}

TEST_F(CliJoin, UsageErrors)
{
    const std::string a = Picture("a.bmp", 4, 4, clWhite);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"join", "-o", Out(), a, a, a, a, a, a, a},
          {"join", "--gap", "15", "-o", Out(), a},
          {"join", "--gap", "510", "-o", Out(), a},
          {"join", "--frame", "1,2,3", "-o", Out(), a},
          {"join", "--frame", "0,0,0,10001", "-o", Out(), a},
          {"join", "--color", "12345g", "-o", Out(), a},
          {"join", "--quality", "9", "-o", Out(), a},
          {"join", "--method", "nearest", "-o", Out(), a},
          {"join", "-o", Out()}}) {
        const TCliResult result = RunCli(arguments);
        EXPECT_EQ(result.Status, 2) << arguments[1] << " " << arguments[2];
        EXPECT_FALSE(std::filesystem::exists(Out()));
    }
}

}  // namespace
