#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/shell/settings_file.h"
#include "bigbitmap/errors.h"
#include "scoped_env.h"
#include "support/scratch_folder.h"

using namespace quilmo;
using quilmo::test::TScopedEnv;
using quilmo::test::TScratchFolder;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public testing::Test {
protected:
    fs::path Ini() const { return FFolder / "quilmo.ini"; }
    void Store(const std::string& bytes) const { std::ofstream(Ini(), std::ios::binary) << bytes; }
    std::string Stored() const
    {
        std::ifstream stream(Ini(), std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), {}};
    }

    const TScratchFolder FScratch;
    const fs::path FFolder = FScratch.Path();
};

// Every value away from its default, so that a key that feeds the wrong field shows.
TMainSettings SampleMain()
{
    TMainSettings s;
    s.Left = -8, s.Top = 20, s.Width = 900, s.Height = 700;
    s.Dir = "/home/u/写真/", s.Susie = "/opt/spi";
    s.Split = 3, s.Jpg = 70, s.Progress = true;
    s.Idx = 1, s.Orientation = 1, s.Idx2 = 0, s.Idx3 = 4, s.BCombo = 1, s.View = 0, s.Edge = 1;
    s.Wrap = 3, s.Align = 2;
    s.EdgeRect = {5, 6, 7, 8};
    s.Sse2 = true, s.Color = 0x80000010, s.BackColor = 0x00FF8040;
    s.Language = "en";
    s.Srgb = true;
    s.Lossless = true;
    return s;
}

TBatchSettings SampleBatch()
{
    TBatchSettings s;
    s.Radio1 = 1, s.Radio2 = 0, s.Radio3 = 1, s.Combo3 = 3, s.Spin = 12, s.Jpg = 90;
    s.Prog = true, s.Save = 2, s.Color = 0x123456;
    s.DWidth = 800, s.DHeight = 600, s.Resizing = 2, s.WBool = true, s.HBool = false;
    s.Resize = true, s.Renban = "pic_", s.SavePath = "/tmp/出力", s.SamePath = false;
    s.Lossless = true;
    return s;
}

TEST_F(SettingsFile, NothingIsReadWithoutAFile)
{
    EXPECT_FALSE(ReadMainSettings(Ini(), "/opt/quilmo/"));
    EXPECT_FALSE(ReadBatchSettings(Ini()));
}

TEST_F(SettingsFile, MissingKeysReadAsTheFileDefaults)
{
    Store("[value]\nsplit=3\n");
    TMainSettings expected;
    expected.Left = 100, expected.Top = 10, expected.Width = 612, expected.Height = 450;
    expected.Dir = "/opt/quilmo/", expected.Split = 3;
    EXPECT_EQ(ReadMainSettings(Ini(), "/opt/quilmo/"), expected);
    EXPECT_EQ(ReadBatchSettings(Ini()), TBatchSettings{});
}

TEST_F(SettingsFile, ValuesAreBoundedAndNonNumbersReadAsDefaults)
{
    Store("[FORM]\nTop=30\nleft=12px\n"
          "[value]\nsplit=99\njpg=5\nidx=7\nidx3=9\nview=-1\nprogress=yes\nsse2=2\nwrap=6\nalign=3\n"
          "[edge]\nleft=-5\ntop=7\nright=20000\nbottom=99999999999\n"
          "[value2]\njpg=0\ncolor=-1\n");
    const TMainSettings main = *ReadMainSettings(Ini(), "");
    EXPECT_EQ(main.Top, 30);
    EXPECT_EQ(main.Left, 100);
    EXPECT_EQ(main.Split, 50);
    EXPECT_EQ(main.Jpg, 10);
    EXPECT_EQ(main.Idx, 3);  // the last save format, WebP
    EXPECT_EQ(main.Idx3, 4);
    EXPECT_EQ(main.View, 0);
    EXPECT_EQ(main.Wrap, 5);
    EXPECT_EQ(main.Align, 2);
    EXPECT_FALSE(main.Progress);
    EXPECT_TRUE(main.Sse2);
    EXPECT_EQ(main.EdgeRect, (TRect{0, 7, 10000, 0}));
    // The batch window's controls bound their own values; the file keeps them as they are.
    const TBatchSettings batch = *ReadBatchSettings(Ini());
    EXPECT_EQ(batch.Jpg, 0);
    EXPECT_EQ(batch.Color, 0xFFFFFFFFu);
}

TEST_F(SettingsFile, NewFileListsTheKeysInWriteOrderAndReadsBack)
{
    const fs::path file = FFolder / "new" / "folder" / "quilmo.ini";
    WriteSettings(file, SampleMain(), SampleBatch());

    std::ifstream stream(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), {}),
              "[file]\ndir=/home/u/写真/\nsusie=/opt/spi\n\n\n"
              "[value]\nsplit=3\njpg=70\nidx=1\nidx2=0\nidx3=4\nbcombo=1\nview=0\nedge=1\n"
              "progress=1\nsse2=1\nwrap=3\nalign=2\nlanguage=en\nsrgb=1\nlossless=1\n\n\n"
              "[form]\nleft=-8\ntop=20\nwidth=900\nheight=700\ncolor=-2147483632\n"
              "backcolor=16744512\n\n\n"
              "[print]\nOrientation=1\n\n\n"
              "[value2]\nradio1=1\nradio2=0\nradio3=1\ncombo3=3\nsamepath=0\nspin=12\nsave=2\n"
              "jpg=90\nprog=1\ncolor=1193046\nrenban=pic_\nsavepath=/tmp/出力\nsrgb=0\nlossless=1\n\n\n"
              "[edge]\nleft=5\ntop=6\nright=7\nbottom=8\n\n\n"
              "[form2]\ndwidth=800\ndheight=600\nresizing=2\nwbool=1\nhbool=0\nresize=1\n");
    EXPECT_EQ(ReadMainSettings(file, ""), SampleMain());
    EXPECT_EQ(ReadBatchSettings(file), SampleBatch());
}

TEST_F(SettingsFile, RewriteKeepsUnknownKeysAndThePlaceOfExistingOnes)
{
    Store("[custom]\nfoo=bar\n[VALUE]\nJPG=70\nother=1\n");
    WriteSettings(Ini(), TMainSettings{}, TBatchSettings{});
    const std::string text = Stored();
    EXPECT_TRUE(text.starts_with("[custom]\nfoo=bar\n\n\n[VALUE]\nJPG=85\nother=1\nsplit=0\n"))
        << text;
    EXPECT_GT(text.find("\njpg="), text.find("[value2]")) << text;  // JPG was not added twice
}

TEST_F(SettingsFile, FileFromWindowsIsReadAsCp932AndRewrittenAsUtf8)
{
    // dir=C:\写真表\ in CP932; the second byte of 表 is a backslash.
    Store("[file]\r\ndir=C:\\\x8E\xCA\x90\x5E\x95\x5C\\\r\n[value]\r\nsplit=2\r\n");
    const auto main = ReadMainSettings(Ini(), "");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->Dir, "C:\\写真表\\");
    EXPECT_EQ(main->Split, 2);
    WriteSettings(Ini(), *main, TBatchSettings{});
    EXPECT_NE(Stored().find("dir=C:\\写真表\\\n"), std::string::npos);
}

TEST_F(SettingsFile, WriteFailureNamesTheFolder)
{
    std::ofstream(FFolder / "plain") << "not a folder";
    const fs::path file = FFolder / "plain" / "quilmo.ini";
    try {
        WriteSettings(file, TMainSettings{}, TBatchSettings{});
        ADD_FAILURE() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_NE(std::string(e.what()).find((FFolder / "plain").string()), std::string::npos);
    }
}

TEST_F(SettingsFile, LocationFallsBackToTheConfigFolder)
{
    EXPECT_EQ(SettingsFilePath(FFolder), FFolder / "quilmo.ini");

    const fs::path exeDir = FFolder / "bin";
    fs::create_directory(exeDir);
    fs::permissions(exeDir, fs::perms(0555));
    if (access(exeDir.c_str(), W_OK) == 0) GTEST_SKIP() << "read-only folders are writable here";
    const TScopedEnv home("HOME", FFolder / "home");
    {
        const TScopedEnv config("XDG_CONFIG_HOME", FFolder / "config");
        EXPECT_EQ(SettingsFilePath(exeDir), FFolder / "config" / "quilmo" / "quilmo.ini");
    }
    const TScopedEnv relative("XDG_CONFIG_HOME", "config");
    EXPECT_EQ(SettingsFilePath(exeDir), FFolder / "home" / ".config" / "quilmo" / "quilmo.ini");
}

TEST_F(SettingsFile, AnInstalledProgramKeepsTheSettingsInTheUsersFolderEvenForRoot)
{
    const TScopedEnv config("XDG_CONFIG_HOME", FFolder / "config");
    for (const char* exeDir : {"/usr/bin", "/usr/local/bin", "/usr/bin/../bin"})
        EXPECT_EQ(SettingsFilePath(exeDir), FFolder / "config" / "quilmo" / "quilmo.ini") << exeDir;
    EXPECT_EQ(SettingsFilePath(FFolder), FFolder / "quilmo.ini") << "a build tree keeps it beside";
}

}  // namespace
