// quilmo-cli batch: the lines it prints, the files it writes (the same with one process or
// several), shards, pairs files, and what it refuses.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "bigbitmap/big_bitmap.h"
#include "cli_runner.h"
#include "core/picture_helpers.h"
#include "output/picture_file.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliBatch : public ::testing::Test {
protected:
    TScratchFolder Folder;

    // A picture with some detail, so that resampling and JPEG have work to do.
    std::string Picture(const std::string& name, int32_t width, int32_t height)
    {
        TBigBitmap picture;
        FillPattern(picture, width, height);
        SavePictureFile(picture, Folder / name, {});
        return (Folder / name).string();
    }
    std::string Out(const std::string& name)
    {
        std::filesystem::create_directories(Folder / name);
        return (Folder / name).string();
    }
    // Five pairs of different shapes; the left picture of pair 3 cannot be read.
    std::vector<std::string> FivePairs()
    {
        std::vector<std::string> arguments{"--left"};
        for (int k = 1; k <= 5; ++k) arguments.push_back(Picture("l" + std::to_string(k) + ".jpg", 40 + k, 30));
        std::ofstream(arguments[3]) << "no picture";
        arguments.push_back("--right");
        for (int k = 1; k <= 5; ++k) arguments.push_back(Picture("r" + std::to_string(k) + ".png", 20, 50 + k));
        return arguments;
    }
    TCliResult Batch(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "batch");
        return RunCli(arguments);
    }
};

TEST_F(CliBatch, SeveralJobsWriteWhatOneJobWritesAndAnUnreadablePairFailsAlone)
{
    std::vector<std::string> arguments = FivePairs();
    for (const char* option : {"--method", "bicubic", "--gap", "10", "--format", "jpg",
                               "--resize", "100x80", "--keep-width"})
        arguments.push_back(option);
    std::vector<std::string> one = arguments;
    one.insert(one.end(), {"--out", Out("one")});
    std::vector<std::string> two = arguments;
    two.insert(two.end(), {"--jobs", "2", "--out", Out("two")});

    const TCliResult first = Batch(one);
    const TCliResult second = Batch(two);
    for (const TCliResult& result : {first, second}) {
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Out, "1行目処理中------完了\n2行目処理中------完了\n3行目処理中------エラー\n"
                              "4行目処理中------完了\n5行目処理中------完了\n");
        EXPECT_EQ(result.Err.rfind("3: " + (Folder / "l3.jpg").string() + ": ", 0), 0u) << result.Err;
        EXPECT_NE(result.Err.find("1 of 5 pairs did not succeed\n"), std::string::npos) << result.Err;
    }
    for (const char* name : {"01.jpg", "02.jpg", "04.jpg", "05.jpg"}) {
        SCOPED_TRACE(name);
        const std::string written = Bytes(Folder / "one" / name);
        EXPECT_FALSE(written.empty());
        EXPECT_EQ(Bytes(Folder / "two" / name), written);
    }
    EXPECT_FALSE(std::filesystem::exists(Folder / "one" / "03.jpg"));
    EXPECT_FALSE(std::filesystem::exists(Folder / "two" / "03.jpg"));
}

TEST_F(CliBatch, AShardDoesThePairsOfItsNumbersAndPlainLinesNameTheFiles)
{
    std::vector<std::string> arguments = FivePairs();
    arguments.insert(arguments.end(), {"--plain", "--shard", "1/2", "--jobs", "2", "--out", Out("out")});
    const TCliResult result = Batch(arguments);
    EXPECT_EQ(result.Status, 1);
    const std::string out = (Folder / "out").string();
    EXPECT_EQ(result.Out, "1 ok " + out + "/01.bmp\n3 error\n5 ok " + out + "/05.bmp\n");
    EXPECT_TRUE(std::filesystem::exists(Folder / "out" / "05.bmp"));
    EXPECT_FALSE(std::filesystem::exists(Folder / "out" / "02.bmp"));
}

TEST_F(CliBatch, APairsFileGivesOnePairALineAndEitherPictureMayBeLeftOut)
{
    const std::string a = Picture("a.bmp", 30, 20);
    const std::string b = Picture("b.bmp", 10, 20);
    std::ofstream(Folder / "pairs.txt") << a << "\t" << b << "\r\n\n" << a << "\n\t" << b << "\n";
    const TCliResult result = Batch({"--pairs", (Folder / "pairs.txt").string(), "--gap", "4",
                                     "--direction", "v", "--color", "ff0000", "--text", "p",
                                     "--out", Out("out")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "1行目処理中------完了\n2行目処理中------完了\n3行目処理中------完了\n");
    TBigBitmap pair, left, right;
    pair.LoadFromFile(Folder / "out" / "p01.bmp");
    left.LoadFromFile(Folder / "out" / "p02.bmp");
    right.LoadFromFile(Folder / "out" / "p03.bmp");
    EXPECT_EQ(pair.GetWidth(), 30);
    EXPECT_EQ(pair.GetHeight(), 44);
    EXPECT_EQ(ColourAt(pair, 10, 0), RGBColor(255, 0, 0));  // beside list 2's narrower picture
    EXPECT_EQ(ColourAt(left, 0, 0), RGBColor(255, 0, 0));  // list 1's picture below, nothing on top
    EXPECT_EQ(ColourAt(left, 0, 24), Pattern(0, 0));
    EXPECT_EQ(ColourAt(right, 0, 0), Pattern(0, 0));
}

TEST_F(CliBatch, WebpResultsAtQuality100ReadBackAsTheirBmpTwins)
{
    const std::vector<std::string> pair = {"--left", Picture("a.bmp", 30, 20), "--right", Picture("b.png", 12, 25)};
    std::vector<std::string> asBmp = pair, asWebp = pair;
    asBmp.insert(asBmp.end(), {"--out", Out("bmp")});
    asWebp.insert(asWebp.end(), {"--format", "webp", "--quality", "100", "--out", Out("webp")});
    ASSERT_EQ(Batch(asBmp).Status, 0);
    const TCliResult result = Batch(asWebp);
    ASSERT_EQ(result.Status, 0) << result.Err;
    // Read back through the shipped WebP plug-in.
    const std::string back = (Folder / "back.bmp").string();
    ASSERT_EQ(RunCli({"convert", (Folder / "webp" / "01.webp").string(), back}).Status, 0);
    TBigBitmap expected, got;
    expected.LoadFromFile(Folder / "bmp" / "01.bmp");
    got.LoadFromFile(back);
    ASSERT_EQ(got.GetWidth(), expected.GetWidth());
    ASSERT_EQ(got.GetHeight(), expected.GetHeight());
    for (int32_t y = 0; y < got.GetHeight(); ++y)
        for (int32_t x = 0; x < got.GetWidth(); ++x) ASSERT_EQ(ColourAt(got, x, y), ColourAt(expected, x, y)) << x << "," << y;
}

TEST_F(CliBatch, ResultsNamedLikeTheirSourcesReplaceThemOnlyWhenAllowed)
{
    const std::string left = Picture("left.bmp", 8, 8);
    const std::string right = Picture("right.bmp", 8, 8);
    const std::string before = Bytes(right);
    const std::vector<std::string> arguments{"--left", left, "--right", right, "--naming", "same",
                                             "--out", Folder.Path().string() + "/"};
    const TCliResult refused = Batch(arguments);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, "The results would replace the pictures in " + Folder.Path().string() +
                               "/; --overwrite-sources allows that\n");
    EXPECT_EQ(Bytes(right), before);

    std::vector<std::string> allowed = arguments;
    allowed.push_back("--overwrite-sources");
    const TCliResult result = Batch(allowed);
    EXPECT_EQ(result.Status, 0) << result.Err;
    TBigBitmap replaced;
    replaced.LoadFromFile(right);
    EXPECT_EQ(replaced.GetWidth(), 16);
}

TEST_F(CliBatch, APictureAPluginCannotReadIsReportedAndReplacedByABlankPage)
{
    const std::string left = Picture("left.bmp", 8, 8);
    const std::string broken = (Folder / "bad.pgm").string();
    std::ofstream(broken) << "P2 2 2 255 1";
    const TCliResult result = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "batch", "--left", left,
                                      "--right", broken, "--out", Out("out")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, "1行目処理中------完了\n");
    EXPECT_EQ(result.Err, "1: プラグインエラー:データが壊れているため、ファイルを開けません\n"
                          "1 of 1 pairs did not succeed\n");
    TBigBitmap joined;
    joined.LoadFromFile(Folder / "out" / "01.bmp");
    EXPECT_EQ(joined.GetWidth(), 8 + 320);
    EXPECT_EQ(joined.GetHeight(), 240);
}

TEST_F(CliBatch, UsageErrors)
{
    const std::string a = Picture("a.bmp", 4, 4);
    const std::string out = Out("out");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--out", out},
          {"--left", a},
          {"--left", a, "--pairs", a, "--out", out},
          {"--left", a, "--shard", "2/2", "--out", out},
          {"--left", a, "--shard", "1", "--out", out},
          {"--left", a, "--resize", "9x100", "--out", out},
          {"--left", a, "--resize", "100", "--out", out},
          {"--left", a, "--gap", "501", "--out", out},
          {"--left", a, "--jobs", "0", "--out", out},
          {"--left", a, "--naming", "numbered", "--out", out}}) {
        const TCliResult result = Batch(arguments);
        EXPECT_EQ(result.Status, 2) << arguments[0] << " " << arguments[1] << " " << arguments[2];
        EXPECT_EQ(result.Out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

}  // namespace
