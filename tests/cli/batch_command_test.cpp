// quilmo-cli batch: the lines it prints, the files it writes (the same with one process or
// several), shards, pairs files and pipes, the results it will not let replace other files, and
// what it refuses.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "bigbitmap/big_bitmap.h"
#include "cli_runner.h"
#include "jpeg_pixels.h"
#include "core/picture_helpers.h"
#include "output/picture_file.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr TColor kRed = RGBColor(200, 0, 0);
constexpr TColor kGreen = RGBColor(0, 200, 0);
constexpr TColor kBlue = RGBColor(0, 0, 200);
constexpr TColor kYellow = RGBColor(200, 200, 0);

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
    std::string Solid(const std::string& name, TColor colour)
    {
        TBigBitmap picture;
        SetupBigBitmap(picture, 4, 3, colour);
        std::filesystem::create_directories((Folder / name).parent_path());
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
        EXPECT_NE(result.Err.find("5 組のうち 1 組が成功しませんでした\n"), std::string::npos) << result.Err;
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

TEST_F(CliBatch, WebpAtQuality100AndPngResultsReadBackAsTheirBmpTwins)
{
    const std::vector<std::string> pair = {"--left", Picture("a.bmp", 30, 20), "--right", Picture("b.png", 12, 25)};
    std::vector<std::string> asBmp = pair;
    asBmp.insert(asBmp.end(), {"--out", Out("bmp")});
    ASSERT_EQ(Batch(asBmp).Status, 0);
    TBigBitmap expected;
    expected.LoadFromFile(Folder / "bmp" / "01.bmp");
    for (const std::string format : {"webp", "png"}) {
        std::vector<std::string> args = pair;
        args.insert(args.end(), {"--format", format, "--quality", "100", "--out", Out(format)});
        const TCliResult result = Batch(args);
        ASSERT_EQ(result.Status, 0) << result.Err;
        // Read back through the shipped WebP plug-in and the built-in PNG reader.
        const std::string back = (Folder / (format + "-back.bmp")).string();
        ASSERT_EQ(RunCli({"convert", (Folder / format / ("01." + format)).string(), back}).Status, 0) << format;
        TBigBitmap got;
        got.LoadFromFile(back);
        ASSERT_EQ(got.GetWidth(), expected.GetWidth());
        ASSERT_EQ(got.GetHeight(), expected.GetHeight());
        for (int32_t y = 0; y < got.GetHeight(); ++y)
            for (int32_t x = 0; x < got.GetWidth(); ++x)
                ASSERT_EQ(ColourAt(got, x, y), ColourAt(expected, x, y)) << format << " " << x << "," << y;
    }
}

TEST_F(CliBatch, ResultsReplacePicturesOfTheRunOnlyWhenAllowedAndNeverOnesALaterPairReads)
{
    const std::string p1 = Solid("scan/01.bmp", kRed);
    const std::string p2 = Solid("scan/02.bmp", kGreen);
    const std::string p3 = Solid("scan/03.bmp", kBlue);
    const std::string p4 = Solid("scan/04.bmp", kYellow);
    const std::string scan = (Folder / "scan").string();
    const std::string before = Bytes(p1) + Bytes(p2);
    const std::vector<std::string> pairs{"--left", p1, p3, "--right", p2, p4, "--out", scan};
    const TCliResult refused = Batch(pairs);
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, "1 組目は自分の画像 " + p1 + " を置き換えます\n2 組目は 1 組目の画像 " + p2 +
                               " を置き換えます\n結果が処理中の画像を置き換えます。--overwrite-sources で許可できます\n");
    // The same folder by another name is the same folder.
    std::filesystem::create_directory_symlink(scan, Folder / "link");
    std::vector<std::string> linked = pairs;
    linked.back() = (Folder / "link").string();
    EXPECT_EQ(Batch(linked).Status, 2);
    EXPECT_EQ(Bytes(p1) + Bytes(p2), before);

    // Allowed, pair 2 replaces pair 1's picture only once pair 1 is done, however many jobs.
    std::vector<std::string> allowed = pairs;
    allowed.insert(allowed.end(), {"--overwrite-sources", "--jobs", "2"});
    const TCliResult result = Batch(allowed);
    EXPECT_EQ(result.Status, 0) << result.Err;
    TBigBitmap first;
    first.LoadFromFile(p1);
    EXPECT_EQ(ColourAt(first, 0, 0), kRed);
    EXPECT_EQ(ColourAt(first, 4, 0), kGreen);

    // A result that would replace a picture a later pair reads fails its pair instead.
    const std::string kept = Bytes(p1);
    const TCliResult later = Batch({"--left", p3, p1, "--right", p4, p2, "--out", scan,
                                    "--overwrite-sources", "--plain"});
    EXPECT_EQ(later.Status, 1);
    EXPECT_EQ(later.Out, "1 error\n2 ok " + scan + "/02.bmp\n");
    EXPECT_EQ(later.Err, "1: 結果が、2 組目がまだ読む画像 " + p1 + " を置き換えます\n"
                         "2 組のうち 1 組が成功しませんでした\n");
    EXPECT_EQ(Bytes(p1), kept);
}

TEST_F(CliBatch, ResultsUnderOneNameAreRefusedUnlessTheLaterMayWinAndWhatReplacesNothingGoesOn)
{
    // BMP pictures beside JPEG results of the same titles are not replaced.
    const std::string a = Solid("a.bmp", kRed);
    EXPECT_EQ(Batch({"--left", a, "--naming", "same", "--format", "jpg", "--out", Folder.Path().string()}).Status, 0);
    EXPECT_TRUE(std::filesystem::exists(Folder / "a.jpg"));

    const std::string out = Out("out");
    const std::vector<std::string> arguments{"--left", a, a, "--right", Solid("x/R1.bmp", kGreen),
                                             Solid("y/R1.bmp", kBlue), "--naming", "same", "--out", out};
    const TCliResult refused = Batch(arguments);
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, "1 組目と 2 組目はどちらも " + out + "/R1.bmp として保存されます\n"
                           "処理の結果どうしが置き換わります。--overwrite-results で後の組が残ります\n");
    EXPECT_TRUE(std::filesystem::is_empty(out));

    std::vector<std::string> allowed = arguments;
    allowed.insert(allowed.end(), {"--overwrite-results", "--jobs", "2"});
    EXPECT_EQ(Batch(allowed).Status, 0);
    TBigBitmap result;
    result.LoadFromFile(out + "/R1.bmp");
    EXPECT_EQ(ColourAt(result, 4, 0), kBlue);
}

TEST_F(CliBatch, AResultThatLinksLeadToIsTheFileTheyLeadToAndALoopFailsItsPair)
{
    const std::string a = Solid("a.bmp", kRed);
    const std::string b = Solid("b.bmp", kGreen);
    const std::string c = Solid("c.bmp", kBlue);
    const std::vector<std::string> arguments{"--left", a, b, "--right", c, c, "--plain", "--out"};
    const auto run = [&](const std::string& out) {
        std::vector<std::string> into = arguments;
        into.push_back(out);
        return Batch(into);
    };
    // 01.bmp leads to 02.bmp, which is not there yet: directly, and through a second link.
    const std::string direct = Out("direct");
    std::filesystem::create_symlink("02.bmp", direct + "/01.bmp");
    const std::string chain = Out("chain");
    std::filesystem::create_symlink("x", chain + "/01.bmp");
    std::filesystem::create_symlink("02.bmp", chain + "/x");
    for (const std::string& out : {direct, chain}) {
        SCOPED_TRACE(out);
        const TCliResult refused = run(out);
        EXPECT_EQ(refused.Status, 2);
        EXPECT_EQ(refused.Out, "");
        EXPECT_EQ(refused.Err, "1 組目と 2 組目はどちらも " + out + "/02.bmp として保存されます\n"
                               "処理の結果どうしが置き換わります。--overwrite-results で後の組が残ります\n");
        EXPECT_FALSE(std::filesystem::exists(out + "/02.bmp"));
    }

    const std::string loop = Out("loop");
    std::filesystem::create_symlink("01.bmp", loop + "/01.bmp");
    const TCliResult looped = run(loop);
    EXPECT_EQ(looped.Status, 1);
    EXPECT_EQ(looped.Out, "1 error\n2 ok " + loop + "/02.bmp\n");
    EXPECT_EQ(looped.Err, "1: ファイル \"" + loop + "/01.bmp\" を作成できません。Too many levels of symbolic links\n"
                          "2 組のうち 1 組が成功しませんでした\n");
}

TEST_F(CliBatch, PairsFromAPipeAreReadOnceAndCheckedAsTheyCome)
{
    const std::string out = Out("out");
    const std::string own = Solid("out/s.bmp", kRed);
    const std::string before = Bytes(own);
    const std::string pairs = Solid("x/R1.bmp", kGreen) + "\n" + Solid("y/R1.bmp", kBlue) + "\n" + own + "\n";
    for (const char* file : {"-", "/dev/stdin"}) {
        SCOPED_TRACE(file);
        TCliProcess cli({"batch", "--pairs", file, "--naming", "same", "--plain", "--out", out}, {pairs});
        const TCliResult result = cli.Wait();
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Out, "1 ok " + out + "/R1.bmp\n2 error\n3 error\n");
        EXPECT_EQ(result.Err, "2: 結果が 1 組目の結果 " + out + "/R1.bmp を置き換えます\n"
                              "3: 結果が 3 組目の画像 " + out + "/s.bmp を置き換えます\n"
                              "3 組のうち 2 組が成功しませんでした\n");
        EXPECT_EQ(Bytes(own), before);
    }
}

TEST_F(CliBatch, AMissingOutFolderIsMadeAndOneThatCannotBeIsRefusedOnce)
{
    const std::string a = Picture("a.bmp", 4, 4);
    const std::filesystem::path deeper = Folder / "new" / "deeper";
    EXPECT_EQ(Batch({"--left", a, a, "--out", deeper.string()}).Status, 0);
    EXPECT_TRUE(std::filesystem::exists(deeper / "02.bmp"));

    const std::string blocked = a + "/sub";
    const TCliResult refused = Batch({"--left", a, a, "--out", blocked});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, "フォルダー \"" + blocked + "\" を作成できません。Not a directory\n");
}

TEST_F(CliBatch, APictureAPluginCannotReadIsReportedAndReplacedByABlankPage)
{
    const std::string left = Picture("left.bmp", 8, 8);
    const std::string broken = (Folder / "bad.pgm").string();
    std::ofstream(broken) << "P2 2 2 255 1";
    for (const char* lines : {"--plain", "--direction=h"}) {
        const TCliResult result = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "batch", "--left", left,
                                          "--right", broken, lines, "--out", Out("out")});
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Out, lines == std::string("--plain") ? "1 error\n" : "1行目処理中------エラー\n");
        EXPECT_EQ(result.Err, "1: " + broken + ": プラグインエラー:データが壊れているため、ファイルを開けません\n"
                              "1 組のうち 1 組が成功しませんでした\n");
    }
    TBigBitmap joined;
    joined.LoadFromFile(Folder / "out" / "01.bmp");
    EXPECT_EQ(joined.GetWidth(), 8 + 320);
    EXPECT_EQ(joined.GetHeight(), 240);
}

TEST_F(CliBatch, LosslessResultsKeepThePicturesAlsoInWorkersAndAPairThatCannotFailsWithTheReason)
{
    // libjpeg's defaults sample colour 4:2:0: blocks of 16 x 16 pixels.
    const auto photo = [&](const std::string& name, int32_t width, int quality) {
        TBigBitmap picture;
        FillPattern(picture, width, 16);
        SavePictureFile(picture, Folder / name, {quality, false});
        return (Folder / name).string();
    };
    const std::string a = photo("a.jpg", 32, 85), b = photo("b.jpg", 16, 60), odd = photo("odd.jpg", 20, 85);
    const std::string out = Out("out");
    const TCliResult result = Batch({"--left", a, b, odd, "--right", b, a, a, "--format", "jpg", "--lossless",
                                     "--jobs", "2", "--gap", "16", "--out", out});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, "1行目処理中------完了\n2行目処理中------完了\n3行目処理中------エラー\n");
    EXPECT_EQ(result.Err, "1: 画像 1 (" + a + ") の量子化テーブルで量子化し直しました: 画像 2 (" + b + ")\n"
                          "2: 画像 1 (" + b + ") の量子化テーブルで量子化し直しました: 画像 2 (" + a + ")\n"
                          "3: 無劣化では連結できません: 画像 1 (" + odd + ") は幅 20 ピクセルで、MCU の 16 の倍数ではありません; "
                          "画像 2 (" + a + ") は x = 36 から始まり、MCU の 16 の倍数ではありません\n"
                          "3 組のうち 1 組が成功しませんでした\n");
    EXPECT_EQ(RunCli({"info", out + "/01.jpg"}).Out, "64x16 24\n");
    EXPECT_TRUE(SameTopLeftPixels(out + "/01.jpg", a, 29, 16));
    EXPECT_FALSE(std::filesystem::exists(out + "/03.jpg"));
    // JPEG results only, never resized.
    for (const char* option : {"--resize", "--format"})
        EXPECT_EQ(Batch({"--left", a, "--lossless", option, option[2] == 'r' ? "100x100" : "bmp", "--out", out}).Status, 2);
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
          {"--left", a, "--timeout", "0", "--out", out},
          {"--left", a, "--naming", "numbered", "--out", out}}) {
        const TCliResult result = Batch(arguments);
        EXPECT_EQ(result.Status, 2) << arguments[0] << " " << arguments[1] << " " << arguments[2];
        EXPECT_EQ(result.Out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

}  // namespace
