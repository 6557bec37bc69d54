// quilmo-cli with the plug-ins that ship with Quilmo, found beside it or named by --plugins DIR.

#include <gtest/gtest.h>

#include <fstream>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/big_bitmap_canvas.h"
#include "cli/cli_runner.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

class CliPlugins : public ::testing::Test {
protected:
    TScratchFolder Folder;

    std::string File(const std::string& name, const std::string& bytes)
    {
        std::ofstream(Folder / name, std::ios::binary) << bytes;
        return (Folder / name).string();
    }
};

// 2 x 3: red, blue in every row.
const std::string kPixmap = "P3 2 3 255\n255 0 0 0 0 255\n255 0 0 0 0 255\n255 0 0 0 0 255\n";

}  // namespace

TEST_F(CliPlugins, APluginPictureJoinsWithAJpeg)
{
    TBigBitmap green;
    green.SetBitmaps(4, 3, bbpf24bit);
    green.Canvas().BrushColor = 0x00C800;
    green.Canvas().FillRect({0, 0, 4, 3});
    green.SaveToFile(Folder / "green.bmp");
    const std::string jpeg = (Folder / "green.jpg").string();
    ASSERT_EQ(RunCli({"join", "-o", jpeg, (Folder / "green.bmp").string()}).Status, 0);

    const std::string out = (Folder / "out.bmp").string();
    const TCliResult result = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "join", "-o", out, File("a.ppm", kPixmap), jpeg});
    ASSERT_EQ(result.Status, 0) << result.Err;
    TBigBitmap joined;
    joined.LoadFromFile(out);
    ASSERT_EQ(joined.GetWidth(), 6);
    ASSERT_EQ(joined.GetHeight(), 3);
    for (int32_t y = 0; y < 3; ++y) {
        EXPECT_EQ(ColourAt(joined, 0, y), 0x0000FFu);
        EXPECT_EQ(ColourAt(joined, 1, y), 0xFF0000u);
        const TColor jpegPixel = ColourAt(joined, 4, y);
        EXPECT_NEAR(ColorGreen(jpegPixel), 200, 4);
        EXPECT_LE(ColorRed(jpegPixel) + ColorBlue(jpegPixel), 8);
    }
}

TEST_F(CliPlugins, TheShippedPluginsNeedNoOptionAndCanBeLeftOut)
{
    const std::string pixmap = File("a.PPM", kPixmap);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"--plugins", QUILMO_PLUGIN_DIR}, {"--plugins", QUILMO_PLUGIN_DIR, "--no-shipped-plugins"}}) {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"info", pixmap});
        const TCliResult info = RunCli(arguments);
        EXPECT_EQ(info.Status, 0) << info.Err;
        EXPECT_EQ(info.Out, "2x3 24\n");
    }
    const TCliResult without = RunCli({"--no-shipped-plugins", "info", pixmap});
    EXPECT_EQ(without.Status, 1);
    EXPECT_EQ(without.Err, "この拡張子の画像は読めません (.ppm)\n");
}

TEST_F(CliPlugins, PluginFailuresSayWhichFileAndWhat)
{
    const std::string bad = File("bad.pgm", "P2 2 2 255 1");
    const std::string reason = ": プラグインエラー:データが壊れているため、ファイルを開けません\n";
    const TCliResult broken = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "info", bad});
    EXPECT_EQ(broken.Status, 1);
    EXPECT_EQ(broken.Err, bad + reason);
    const TCliResult joined = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "join", "-o", (Folder / "out.bmp").string(),
                                      File("a.ppm", kPixmap), bad});
    EXPECT_EQ(joined.Status, 1);
    EXPECT_NE(joined.Err.find(bad + reason), std::string::npos) << joined.Err;
    EXPECT_FALSE(std::filesystem::exists(Folder / "out.bmp"));

    const TCliResult noPlugins = RunCli({"--plugins", Folder.Path().string(), "info", File("a.ppm", kPixmap)});
    EXPECT_EQ(noPlugins.Status, 1);
    EXPECT_EQ(noPlugins.Err, "プラグイン読み込みに失敗しました<(>_<)>\n");
}
