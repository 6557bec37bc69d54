// What the main window gets from the loaded plug-ins, and the texts of plug-in failures.

#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "bigbitmap/ui_text.h"

#include "input/shipped_plugins.h"
#include "input/susie_errors.h"
#include "input/susie_plugins.h"
#include "input/susie_setup.h"
#include "plugin_folder.h"

using namespace quilmo;
using namespace quilmo::test;

TEST(SusieSetup, ExtensionsMenuAndFilterFollowTheLoadedEntries)
{
    TPluginFolder folder({"t_jpgpic.spi", "t_magmki.spi", "t_script.spi"});
    const TSusieSetup setup = SetupSusiePlugins(folder.Path(), true);
    ASSERT_TRUE(setup.Loaded);
    EXPECT_EQ(setup.Message, "プラグイン読み込みに成功しました(^_^)v");
    EXPECT_EQ(setup.Extensions, (std::vector<std::string>{".jpg", ".jpeg", ".bmp", ".png", ".gif", ".jpe", ".jpg",
                                                          ".pic", ".mag", ".qsp"}));
    ASSERT_EQ(setup.MenuEntries.size(), 3u);
    const std::pair<std::string, std::string> expected[] = {
        {"plugin0", "t_jpgpic.spi"}, {"plugin2", "t_magmki.spi"}, {"plugin3", "t_script.spi"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(setup.MenuEntries[i].Name, expected[i].first);
        EXPECT_EQ(setup.MenuEntries[i].Caption, expected[i].second);
    }
    EXPECT_EQ(setup.MenuEntries[0].Module, SusiePlugins.Get(1).Module);
    EXPECT_EQ(setup.Filter,
              "すべてのファイル (*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png;*.jpg;*.pic;*.mag;*.qsp)"
              "|*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png;*.jpg;*.pic;*.mag;*.qsp"
              "|GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png"
              "|JPEG イメージファイル (*.jpg)|*.jpg|JPEG イメージファイル (*.jpeg)|*.jpeg"
              "|ビットマップ (*.bmp)|*.bmp|Susie Graphics(*.jpg;*.pic;*.mag;*.qsp)|*.jpg;*.pic;*.mag;*.qsp");
}

TEST(SusieSetup, ReloadingReplacesWhatWasLoaded)
{
    TPluginFolder folder({"t_jpgpic.spi"});
    // Without the standard formats this plug-in has no menu item; a reload must still release it.
    ASSERT_TRUE(SetupSusiePlugins(folder.Path(), false).Loaded);
    ASSERT_TRUE(SetupSusiePlugins(folder.Path(), false).Loaded);
    EXPECT_EQ(SusiePlugins.Count(), 1);

    TPluginFolder empty;
    const TSusieSetup failed = SetupSusiePlugins(empty.Path(), false);
    EXPECT_FALSE(failed.Loaded);
    EXPECT_EQ(failed.Message, "プラグイン読み込みに失敗しました<(>_<)>");
    EXPECT_EQ(failed.Extensions, StandardExtensions());
    EXPECT_TRUE(failed.MenuEntries.empty());
    EXPECT_EQ(failed.Filter, "");
    EXPECT_EQ(SusiePlugins.Count(), 0);
}

TEST(SusieErrors, LoadErrorMessages)
{
    EXPECT_EQ(LoadErrorMessage(0), "");
    EXPECT_EQ(LoadErrorMessage(2), "プラグインエラー:未知のフォーマットのため、ファイルを開けません");
    EXPECT_EQ(LoadErrorMessage(-10), "Getpictureinfo: GetProcaddress　エラーのため、ファイルを開けません");
    EXPECT_EQ(LoadErrorMessage(9), "Gerpicture:GetProcaddress　エラーのため、ファイルを開けません");
    EXPECT_EQ(LoadErrorMessage(-1), "プラグインエラー:その機能はインプリメントされていないため、ファイルを開けません");
    EXPECT_EQ(LoadErrorMessage(12), "SetDibits エラーのため、ファイルを開けません");
    for (int32_t code : {-11, -9, -2, 13, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()})
        EXPECT_EQ(LoadErrorMessage(code), "ため、ファイルを開けません") << code;
}

TEST(ShippedPluginFolder, BesideTheBuildTreeOrTheInstalledProgram)
{
    TPluginFolder root;
    const std::filesystem::path build = root.Path() / "build", usr = root.Path() / "usr";
    std::filesystem::create_directories(build / "app");
    std::filesystem::create_directories(usr / "bin");
    EXPECT_EQ(ShippedPluginFolder(build / "app"), std::filesystem::path());
    std::filesystem::create_directories(build / "plugins");
    std::filesystem::create_directories(usr / "lib" / "quilmo" / "plugins");
    EXPECT_EQ(ShippedPluginFolder(build / "app"), build / "plugins");
    EXPECT_EQ(ShippedPluginFolder(build / "cli/"), build / "plugins");
    EXPECT_EQ(ShippedPluginFolder(usr / "bin"), usr / "lib" / "quilmo" / "plugins");
}

TEST(SusieSetup, TheUsersPluginsComeFirstAndTheShippedOnesStay)
{
    TPluginFolder user({"t_script.spi", "ifpnm.spi"}), shipped({"ifpnm.spi", "ifwebp.spi"});
    const TSusieSetup setup = SetupSusiePlugins(user.Path(), false, shipped.Path());
    EXPECT_TRUE(setup.Loaded);
    EXPECT_EQ(setup.Message, "プラグイン読み込みに成功しました(^_^)v");
    // The user's copy of a shipped plug-in is the same library: listed and released once.
    std::vector<std::string> captions;
    for (const TSusieMenuEntry& entry : setup.MenuEntries) captions.push_back(entry.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"ifpnm.spi", "t_script.spi", "ifwebp.spi"}));
    EXPECT_EQ(std::vector<std::string>(setup.Extensions.begin() + 6, setup.Extensions.end()),
              (std::vector<std::string>{".pnm", ".ppm", ".pgm", ".pbm", ".qsp", ".webp"}));
    UnloadSusiePlugins();
    EXPECT_FALSE(IsLoaded(BuiltPlugin("ifpnm.spi")));

    // A folder that gives nothing says so, and the shipped plug-ins are still there.
    TPluginFolder empty;
    const TSusieSetup failed = SetupSusiePlugins(empty.Path(), false, shipped.Path());
    EXPECT_FALSE(failed.Loaded);
    EXPECT_EQ(failed.Message, "プラグイン読み込みに失敗しました<(>_<)>");
    EXPECT_EQ(failed.Extensions.back(), ".webp");
    EXPECT_NE(failed.Filter.find("*.webp"), std::string::npos);

    // Without a folder of the user's there is nothing to report.
    const TSusieSetup quiet = SetupSusiePlugins({}, false, shipped.Path());
    EXPECT_EQ(quiet.Message, "");
    EXPECT_EQ(quiet.MenuEntries.size(), 2u);
}

TEST(SusieErrors, LoadErrorMessagesAreMadeInTheUsersLanguage)
{
    const std::map<std::string, std::string> english = {
        {"%1ため、ファイルを開けません", "Cannot open the file. %1"},
        {"プラグインエラー:未知のフォーマットの", "Plug-in error: unknown format"}};
    SetTextTranslator([&](const std::string& text) {
        const auto found = english.find(text);
        return found == english.end() ? text : found->second;
    });
    const std::string known = LoadErrorMessage(2);
    const std::string unknown = LoadErrorMessage(-5);
    SetTextTranslator(nullptr);
    EXPECT_EQ(known, "Cannot open the file. Plug-in error: unknown format");
    // No text of its own: nothing is left dangling where it would go.
    EXPECT_EQ(unknown, "Cannot open the file.");
}
