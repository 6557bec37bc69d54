// quilmo-cli --plugins DIR: the shipped plug-ins from the folder the build puts them in.

#include <gtest/gtest.h>

#include <fstream>

#include "bigbitmap/big_bitmap.h"
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

TEST_F(CliPlugins, CommandsReadPluginFormatsOnlyWithThePlugins)
{
    const std::string pixmap = File("a.ppm", kPixmap);
    const TCliResult info = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "info", pixmap});
    EXPECT_EQ(info.Status, 0) << info.Err;
    EXPECT_EQ(info.Out, "2x3 24\n");
    EXPECT_NE(RunCli({"info", pixmap}).Status, 0);
}

TEST_F(CliPlugins, PluginFailuresSayWhat)
{
    const TCliResult broken = RunCli({"--plugins", QUILMO_PLUGIN_DIR, "info", File("bad.pgm", "P2 2 2 255 1")});
    EXPECT_EQ(broken.Status, 1);
    EXPECT_NE(broken.Err.find("プラグインエラー:データが壊れているため、ファイルを開けません"), std::string::npos)
        << broken.Err;

    const TCliResult noPlugins = RunCli({"--plugins", Folder.Path().string(), "info", File("a.ppm", kPixmap)});
    EXPECT_EQ(noPlugins.Status, 1);
    EXPECT_EQ(noPlugins.Err, "プラグイン読み込みに失敗しました<(>_<)>\n");
}
