// quilmo-cli join: what it writes, and that a failure writes nothing and says why.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "cli_runner.h"
#include "jpeg_pixels.h"
#include "core/picture_helpers.h"
#include "input/jpeg_image.h"
#include "output/picture_file.h"
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

    std::string Patterned(const std::string& name, int32_t width, int32_t height)
    {
        TBigBitmap picture;
        FillPattern(picture, width, height);
        picture.SaveToFile(Folder / name);
        return (Folder / name).string();
    }

    struct TPart {
        std::string Path;
        TRect Place;
    };
    // A join put together by hand: every picture scaled by resize to the size of its place
    // and copied there, in a picture of size (frame not counted) filled with colour.
    std::vector<uint8_t> ByHand(const std::vector<TPart>& parts, TSize size, const TRect& frame,
                                TColor colour)
    {
        TBigBitmap joined;
        SetupBigBitmapFramed(joined, size.Width, size.Height, frame, colour);
        for (const TPart& part : parts) {
            const int32_t width = part.Place.Width();
            const int32_t height = part.Place.Height();
            const TCliResult resized = RunCli({"resize", "--method", "bicubic", part.Path,
                                               Out("part.bmp"), std::to_string(width),
                                               std::to_string(height)});
            EXPECT_EQ(resized.Status, 0) << resized.Err;
            TBigBitmap picture;
            picture.LoadFromFile(Out("part.bmp"));
            joined.Canvas().CopyRect(OffsetRectBy(part.Place, frame), picture,
                                     {0, 0, width, height});
        }
        return PixelBytes(joined);
    }
    std::vector<uint8_t> Joined(const std::string& path = "out.bmp")
    {
        TBigBitmap joined;
        joined.LoadFromFile(Folder / path);
        return PixelBytes(joined);
    }
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
    EXPECT_NE(result.Out.find("{start, center, end}"), std::string::npos) << result.Out;
}

TEST_F(CliJoin, WrappedRowsAreResampledOnceStraightToTheirPlaces)
{
    const std::string a = Patterned("a.bmp", 60, 40);
    const std::string b = Patterned("b.bmp", 30, 30);
    const std::string c = Patterned("c.bmp", 50, 20);
    const TCliResult result =
        RunCli({"join", "--wrap", "2", "--method", "bicubic", "--gap", "10", "--frame",
                "3,4,5,6", "--color", "102030", "-o", Out(), a, b, c});
    ASSERT_EQ(result.Status, 0) << result.Err;
    // Row 0 at height 40 is 60 + 10 + 40 wide; row 1 grows from 50 x 20 to 110 x 44.
    EXPECT_EQ(Joined(), ByHand({{a, {0, 0, 60, 40}}, {b, {70, 0, 110, 40}}, {c, {0, 50, 110, 94}}},
                               {110, 94}, {3, 4, 5, 6}, RGBColor(0x10, 0x20, 0x30)));
}

TEST_F(CliJoin, WithoutWrappingTheLineIsJoinedAsAlways)
{
    const std::string a = Patterned("a.bmp", 60, 40);
    const std::string b = Patterned("b.bmp", 30, 30);
    const std::string c = Patterned("c.bmp", 50, 20);
    const TCliResult result = RunCli({"join", "--direction", "v", "--method", "bicubic", "--gap",
                                      "10", "--wrap", "0", "-o", Out(), a, b, c});
    ASSERT_EQ(result.Status, 0) << result.Err;
    // Every picture at the widest width 60, heights 40, 60 and 20 * 60 div 50 = 24.
    EXPECT_EQ(Joined(), ByHand({{a, {0, 0, 60, 40}}, {b, {0, 50, 60, 110}}, {c, {0, 120, 60, 144}}},
                               {60, 144}, EmptyRect, clWhite));
}

TEST_F(CliJoin, AContactSheetOfMorePicturesThanTheWindowHolds)
{
    std::vector<std::string> arguments{"join", "--wrap", "4", "--align", "center", "-o", Out()};
    for (int i = 0; i < 10; ++i)
        arguments.push_back(Picture("p" + std::to_string(i) + ".bmp", 20, i == 9 ? 10 : 20,
                                    RGBColor(static_cast<uint8_t>(i * 20), 100, 0)));
    const TCliResult result = RunCli(arguments);
    ASSERT_EQ(result.Status, 0) << result.Err;
    TBigBitmap joined;
    joined.LoadFromFile(Out());
    EXPECT_EQ(joined.GetWidth(), 80);
    EXPECT_EQ(joined.GetHeight(), 60);
    // The last row, two pictures, is centred along the others and its short picture across it.
    EXPECT_EQ(ColourAt(joined, 19, 40), clWhite);
    EXPECT_EQ(ColourAt(joined, 20, 40), RGBColor(160, 100, 0));
    EXPECT_EQ(ColourAt(joined, 40, 44), clWhite);
    EXPECT_EQ(ColourAt(joined, 59, 45), RGBColor(180, 100, 0));
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
        EXPECT_EQ(result.Err, path + ": ファイル \"" + path + "\" を開けません。" + reason + "\n");
        EXPECT_FALSE(std::filesystem::exists(Out()));
    }
}

TEST_F(CliJoin, APictureTooWideToJoinIsAnError)
{
    // Side by side, two of these are wider than a big bitmap can be (2,796,202 pixels).
    const std::string a = Picture("a.bmp", 1400000, 1, clWhite);
    const TCliResult result = RunCli({"join", "-o", Out(), a, a});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits\n");
    EXPECT_FALSE(std::filesystem::exists(Out()));
}

TEST_F(CliJoin, SixPhonePhotosJoinSideBySideIntoOneJpeg)
{
    const TColor colours[] = {RGBColor(200, 0, 0), RGBColor(0, 200, 0), RGBColor(0, 0, 200),
                              RGBColor(200, 200, 0), RGBColor(0, 200, 200), RGBColor(200, 0, 200)};
    std::vector<std::string> arguments = {"join", "--method", "bicubic", "-o", Out("joined.jpg")};
    for (int i = 0; i < 6; ++i) {
        TBigBitmap photo;
        SetupBigBitmap(photo, 4032, 3024, colours[i]);
        arguments.push_back(Out("photo" + std::to_string(i) + ".jpg"));
        SavePictureFile(photo, arguments.back(), {});
    }
    const TCliResult result = RunCli(arguments);
    ASSERT_EQ(result.Status, 0) << result.Err;
    TJPEGImage jpeg;
    jpeg.LoadFromFile(Out("joined.jpg"));
    TBigBitmap joined;
    joined.Assign(&jpeg);
    ASSERT_EQ(joined.GetWidth(), 24192);
    ASSERT_EQ(joined.GetHeight(), 3024);
    // The borders fall on the encoder's blocks; only the decoder's smoothing of colour across
    // them reaches the pixels next to them.
    for (int32_t i = 0; i < 6; ++i)
        for (const int32_t x : {4032 * i + 2, 4032 * i + 4029})
            for (const int32_t y : {0, 3023}) {
                const TColor seen = ColourAt(joined, x, y);
                for (const int shift : {0, 8, 16})
                    EXPECT_LE(std::abs(int(seen >> shift & 0xFF) - int(colours[i] >> shift & 0xFF)), 2)
                        << x << "," << y;
            }
}

TEST_F(CliJoin, AJoinTooWideForJpegIsRefusedBeforeAnythingIsWritten)
{
    const std::string a = Picture("a.bmp", 32751, 1, clWhite);
    const TCliResult result = RunCli({"join", "-o", Out("wide.jpg"), a, a});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "JPEG 画像を書き出せません: JPEG 画像の幅と高さは 65500 ピクセルまでですが、この画像は 65502 x 1 です。"
                          "PNG で保存してください\n");
    EXPECT_FALSE(std::filesystem::exists(Out("wide.jpg")));
    EXPECT_EQ(RunCli({"join", "-o", Out("wide.png"), a, a}).Status, 0);
}

TEST_F(CliJoin, LosslessJoinsKeepThePicturesOrSayWhyNotAndWriteNothing)
{
    // libjpeg's defaults sample colour 4:2:0: blocks of 16 x 16 pixels.
    std::vector<std::string> photos;
    for (const auto& [name, quality] : {std::pair{"a.jpg", 85}, {"b.jpg", 85}, {"c.jpg", 50}}) {
        TBigBitmap photo;
        FillPattern(photo, 32, 16);
        photos.push_back(Out(name));
        SavePictureFile(photo, photos.back(), {quality, false});
    }
    TCliResult result = RunCli({"join", "--lossless", "-o", Out("joined.jpg"), photos[0], photos[1], photos[2]});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "画像 1 (" + photos[0] + ") の量子化テーブルで量子化し直しました: 画像 3 (" + photos[2] + ")\n");
    EXPECT_EQ(RunCli({"info", Out("joined.jpg")}).Out, "96x16 24\n");
    // Away from the seam, the first picture's own pixels.
    EXPECT_TRUE(SameTopLeftPixels(Out("joined.jpg"), photos[0], 29, 16));

    for (const auto& [arguments, reason] :
         {std::pair<std::vector<std::string>, std::string>{{"--gap", "10", "-o", Out("gap.jpg")},
                                                           "間隔の 10 ピクセルが MCU (16 x 16) の倍数ではありません"},
          {{"--method", "bicubic", "-o", Out("bicubic.jpg")}, "画像が拡大縮小されます (無劣化は原寸のときだけです)"},
          {{"-o", Out("joined.png")}, Out("joined.png") + " は JPEG ファイル (.jpg, .jpeg, .jpe) ではありません"}}) {
        std::vector<std::string> command = {"join", "--lossless"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        command.insert(command.end(), {photos[0], photos[1]});
        result = RunCli(command);
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Err, "無劣化では連結できません: " + reason + "\n");
        EXPECT_FALSE(std::filesystem::exists(command[command.size() - 3]));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 4);
}

TEST_F(CliJoin, UsageErrors)
{
    const std::string a = Picture("a.bmp", 4, 4, clWhite);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"join", "--wrap", "-1", "-o", Out(), a},
          {"join", "--align", "middle", "-o", Out(), a},
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

namespace {

class CliJoinThreads : public CliJoin {
protected:
    // Six photo-like JPEGs of the shapes a camera gives.
    std::vector<std::string> Photos()
    {
        std::vector<std::string> photos;
        const std::pair<int32_t, int32_t> sizes[] = {{320, 240}, {480, 320}, {390, 520}, {400, 300}, {600, 400}, {360, 270}};
        for (size_t i = 0; i < std::size(sizes); ++i) {
            TBigBitmap photo;
            FillPattern(photo, sizes[i].first, sizes[i].second);
            photos.push_back(Out("photo" + std::to_string(i) + ".jpg"));
            SavePictureFile(photo, photos.back(), {90, false});
        }
        return photos;
    }
    std::string Bytes(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
};

TEST_F(CliJoinThreads, SixPicturesJoinTheSameOnOneThreadAndOnTwo)
{
    const std::vector<std::string> photos = Photos();
    for (const auto& [direction, output] :
         {std::pair{"h", "joined.jpg"}, {"v", "joined.jpg"}, {"h", "joined.png"}, {"v", "joined.bmp"}}) {
        SCOPED_TRACE(std::string(direction) + " " + output);
        std::vector<std::string> files;
        for (const char* const threads : {"1", "2"}) {
            files.push_back(Out(std::string(threads) + output));
            std::vector<std::string> arguments{"join", "--threads", threads, "--direction", direction,
                                               "--method", "bicubic", "--gap", "10", "--progressive",
                                               "-o", files.back()};
            arguments.insert(arguments.end(), photos.begin(), photos.end());
            const TCliResult result = RunCli(arguments);
            ASSERT_EQ(result.Status, 0) << result.Err;
        }
        EXPECT_EQ(Bytes(files[0]), Bytes(files[1]));
    }
}

TEST_F(CliJoinThreads, APictureDamagedAfterItsHeaderStopsTheJoinAndWritesNothing)
{
    const std::vector<std::string> photos = Photos();
    TBigBitmap picture;
    FillPattern(picture, 200, 150);
    const std::string damaged = Out("damaged.png");
    SavePictureFile(picture, damaged, {});
    std::string bytes = Bytes(damaged);
    // A byte of the picture data changed: the header reads, the pixels do not.
    bytes[bytes.find("IDAT") + 40] ^= 0x55;
    std::ofstream(damaged, std::ios::binary) << bytes;
    std::ofstream(Out("old.jpg")) << "old";
    for (const char* const threads : {"1", "2"}) {
        std::vector<std::string> arguments{"join", "--threads", threads, "--method", "bicubic", "-o", Out("old.jpg")};
        arguments.insert(arguments.end(), photos.begin(), photos.end());
        arguments.insert(arguments.begin() + 10, damaged);
        const TCliResult result = RunCli(arguments);
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Err.rfind(damaged + ": ", 0), 0u) << result.Err;
        EXPECT_EQ(Bytes(Out("old.jpg")), "old");
        size_t files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder.Path())) ++files;
        EXPECT_EQ(files, photos.size() + 2) << "a file was left behind";
    }
}

}  // namespace
