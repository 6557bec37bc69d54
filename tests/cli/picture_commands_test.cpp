#include <gtest/gtest.h>

#include <fstream>

#include "bigbitmap/big_bitmap.h"
#include "cli_runner.h"
#include "output/picture_file.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

TEST(CliInfoConvert, ReportsSizeAndBitsAndConvertsToBmp)
{
    TScratchFolder folder;
    TBigBitmap picture;
    picture.SetBitmaps(127, 64, bbpf8bit);
    picture.SaveToFile(folder / "in.bmp");

    const TCliResult info = RunCli({"info", (folder / "in.bmp").string()});
    EXPECT_EQ(info.Status, 0) << info.Err;
    EXPECT_EQ(info.Out, "127x64 8\n");

    const TCliResult convert = RunCli({"convert", (folder / "in.bmp").string(), (folder / "out.bmp").string()});
    ASSERT_EQ(convert.Status, 0) << convert.Err;
    TBigBitmap back;
    back.LoadFromFile(folder / "out.bmp");
    EXPECT_EQ(back.GetWidth(), 127);
    EXPECT_EQ(back.PixelFormat(), bbpf8bit);
    EXPECT_EQ(*back.GetPalette(), *picture.GetPalette());
}

TEST(CliInfoConvert, ReadsPngAndJpegToo)
{
    TScratchFolder folder;
    TBigBitmap picture;
    FillPattern(picture, 9, 7);
    for (const char* name : {"in.png", "in.jpe"}) {
        SCOPED_TRACE(name);
        SavePictureFile(picture, folder / name, {100, false});
        const TCliResult info = RunCli({"info", (folder / name).string()});
        EXPECT_EQ(info.Status, 0) << info.Err;
        EXPECT_EQ(info.Out, "9x7 24\n");
        const TCliResult convert = RunCli({"convert", (folder / name).string(), (folder / "out.bmp").string()});
        ASSERT_EQ(convert.Status, 0) << convert.Err;
        TBigBitmap back;
        back.LoadFromFile(folder / "out.bmp");
        EXPECT_EQ(back.GetWidth(), 9);
        EXPECT_EQ(back.GetHeight(), 7);
    }
    std::ofstream(folder / "bad.jpg") << "no JPEG";
    const TCliResult bad = RunCli({"info", (folder / "bad.jpg").string()});
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Err, "JPEG 画像が正しくありません: Not a JPEG file: starts with 0x6e 0x6f\n");
}

TEST(CliInfoConvert, MaxPixelsHoldsEveryReaderToTheGivenSize)
{
    TScratchFolder folder;
    TBigBitmap picture;
    FillPattern(picture, 4, 3);
    for (const char* name : {"in.bmp", "in.png"}) {
        SCOPED_TRACE(name);
        SavePictureFile(picture, folder / name, {});
        const std::string path = (folder / name).string();
        EXPECT_EQ(RunCli({"--max-pixels", "12", "info", path}).Out, "4x3 24\n");
        const TCliResult refused = RunCli({"--max-pixels", "11", "info", path});
        EXPECT_EQ(refused.Status, 1);
        EXPECT_EQ(refused.Err, "画像が大きすぎます: 4 x 3 ピクセル (上限は 11 ピクセル)\n");
    }
    EXPECT_EQ(RunCli({"--max-pixels", "0", "info", (folder / "in.bmp").string()}).Status, 2);
}

TEST(CliInfoConvert, APipeOrAFolderIsRefusedAtOnceAndNothingIsWritten)
{
    TScratchFolder folder;
    const std::string out = (folder / "out.bmp").string();
    for (const auto& [path, reason] : MakeNoRegularFiles(folder)) {
        SCOPED_TRACE(path);
        const std::string message = "ファイル \"" + path + "\" を開けません。" + reason + "\n";
        const TCliResult info = RunCli({"info", path});
        EXPECT_EQ(info.Status, 1);
        EXPECT_EQ(info.Err, message);
        const TCliResult convert = RunCli({"convert", path, out});
        EXPECT_EQ(convert.Status, 1);
        EXPECT_EQ(convert.Err, message);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(CliInfoConvert, ErrorsGiveTheMessageStatusOneAndNoOutput)
{
    TScratchFolder folder;
    std::ofstream(folder / "bad.bmp") << "XXthis is no bitmap at all, not even a short one";
    const TCliResult result = RunCli({"convert", (folder / "bad.bmp").string(), (folder / "out.bmp").string()});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "LoadDIBFromStream: File type is invalid\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));

    const TCliResult usage = RunCli({"convert", "only-one-argument"});
    EXPECT_EQ(usage.Status, 2);
    EXPECT_EQ(RunCli({}).Status, 2);
}
