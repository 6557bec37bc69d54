// Loading plug-ins from a folder, against the test plug-ins.

#include <gtest/gtest.h>

#include <cstring>

#include "input/graphic_registry.h"
#include "input/susie_graphic.h"
#include "input/susie_plugin_info.h"
#include "input/susie_plugins.h"
#include "named_pipe.h"
#include "plugin_folder.h"
#include "tests/plugins/spi/scripted_file.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

std::vector<std::string> Extensions()
{
    std::vector<std::string> result;
    for (int i = 0; i < SusiePlugins.Count(); ++i) result.push_back(FieldText(SusiePlugins.Get(i).Extension));
    return result;
}

bool ReadBySusieGraphic(const std::string& extension)
{
    const TGraphicFactory create = FindGraphicFormat(extension);
    return create && std::string(create()->ClassName()) == "tsusiegraphic";
}

std::string RegisteredDescription(const std::string& extension)
{
    for (const TGraphicFormat& format : RegisteredGraphicFormats())
        if (format.Extension == extension) return format.Description;
    return "(none)";
}

}  // namespace

TEST(SusiePlugins, FoldersWithoutUsableImportPluginsLoadNothingAndKeepNothingLoaded)
{
    EXPECT_FALSE(LoadSusiePlugins("/nonexistent/quilmo-plugins", false));

    TPluginFolder empty;
    EXPECT_FALSE(LoadSusiePlugins(empty.Path(), true));

    TPluginFolder unusable({"t_export.spi", "t_noinfo.spi", "t_nofmt.spi"});
    unusable.WriteFile("garbage.spi", {'n', 'o', 't', ' ', 'E', 'L', 'F'});
    EXPECT_FALSE(LoadSusiePlugins(unusable.Path(), true));
    EXPECT_EQ(SusiePlugins.Count(), 0);
    for (const char* plugin : {"t_export.spi", "t_noinfo.spi", "t_nofmt.spi"})
        EXPECT_FALSE(IsLoaded(BuiltPlugin(plugin))) << plugin;
    EXPECT_FALSE(ReadBySusieGraphic(".xyz"));
}

TEST(SusiePlugins, OnlyRegularFilesAreLoadedAndNoneIsWaitedOn)
{
    TPluginFolder folder({"t_script.spi"});
    TNamedPipe pipe(folder.Path() / "a_pipe.spi");
    std::filesystem::create_directory(folder.Path() / "b_folder.spi");
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    EXPECT_FALSE(pipe.ReaderWaited());
    EXPECT_EQ(Extensions(), std::vector<std::string>{".qsp"});
}

TEST(SusiePlugins, StandardFormatsAreLeftToTheBuiltInDecodersUnlessAskedFor)
{
    TPluginFolder folder({"t_jpgpic.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    ASSERT_EQ(Extensions(), std::vector<std::string>{".pic"});
    const Tsusieinfo pic = SusiePlugins.Get(0);
    // The .pic entry is format 1 of its plug-in, so it carries no file name.
    EXPECT_EQ(FieldText(pic.FileName), "");
    EXPECT_EQ(FieldText(pic.Description), "Test plug-in for JPEG and PIC");
    EXPECT_NE(pic.Module, nullptr);
    EXPECT_TRUE(ReadBySusieGraphic(".pic"));
    EXPECT_EQ(RegisteredDescription(".pic"), "jpgpic");
    EXPECT_FALSE(ReadBySusieGraphic(".jpg"));

    UnloadSusiePlugins();
    UnregisterSusieGraphic();
    EXPECT_FALSE(ReadBySusieGraphic(".pic"));

    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), true));
    ASSERT_EQ(Extensions(), (std::vector<std::string>{".jpg", ".pic"}));
    EXPECT_EQ(FieldText(SusiePlugins.Get(0).FileName), "t_jpgpic.spi");
    EXPECT_EQ(FieldText(SusiePlugins.Get(1).FileName), "");
    EXPECT_EQ(SusiePlugins.Get(0).Module, SusiePlugins.Get(1).Module);
    EXPECT_TRUE(ReadBySusieGraphic(".jpg"));
}

TEST(SusiePlugins, OnlyWhatFitsTheSixBytePatternBufferIsSeen)
{
    TPluginFolder folder({"t_magmki.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    EXPECT_EQ(Extensions(), std::vector<std::string>{".mag"});
    EXPECT_EQ(FieldText(SusiePlugins.Get(0).FileName), "t_magmki.spi");
}

TEST(SusiePlugins, TextsThatFillTheBufferAreReadWithinItAndListedAsRegistered)
{
    // The plug-in writes one byte past each buffer, and a 6-character pattern without terminator.
    TPluginFolder folder({"t_overrun.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    ASSERT_EQ(Extensions(), std::vector<std::string>{".abcd"});
    EXPECT_TRUE(ReadBySusieGraphic(".abcd"));
    EXPECT_FALSE(ReadBySusieGraphic(".abcde"));
    EXPECT_EQ(FieldText(SusiePlugins.Get(0).Description), "Test plug-in that writes its terminator one byte");
}

TEST(SusiePlugins, PluginsThatNeverStopAnnouncingAreCutOffAndTheScanGoesOn)
{
    TPluginFolder folder({"t_endless.spi", "t_jpgpic.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    ASSERT_EQ(SusiePlugins.Count(), kMaxPluginFormats + 1);
    EXPECT_EQ(FieldText(SusiePlugins.Get(0).Extension), ".end");
    EXPECT_EQ(FieldText(SusiePlugins.Get(kMaxPluginFormats).Extension), ".pic");
    EXPECT_TRUE(ReadBySusieGraphic(".pic"));

    // Once the list is full, the formats that do not fit are left out and a plug-in without a
    // listed format is released.
    UnloadSusiePlugins();
    UnregisterSusieGraphic();
    for (int copy = 0; copy < 6; ++copy)
        std::filesystem::copy_file(BuiltPlugin("t_endless.spi"), folder.Path() / ("t_endless" + std::to_string(copy) + ".spi"));
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    EXPECT_EQ(SusiePlugins.Count(), TsusieinfoList::kMaxEntries);
    EXPECT_FALSE(IsLoaded(BuiltPlugin("t_jpgpic.spi")));
    EXPECT_FALSE(IsLoaded(folder.Path() / "t_endless5.spi"));
    EXPECT_FALSE(ReadBySusieGraphic(".pic"));
}

TEST(SusiePlugins, IsStandardFormatIgnoresCase)
{
    for (const char* pattern : {"*.JPG", ".jpeg", "*.Png", ".bmp", "*.gif", "*.jpe"})
        EXPECT_TRUE(IsStandardFormat(pattern)) << pattern;
    for (const char* pattern : {"*.pic", "jpg", "*.jpg;*.jpeg", ""}) EXPECT_FALSE(IsStandardFormat(pattern)) << pattern;
}

TEST(SusiePlugins, UnloadReleasesEveryLibraryAndEmptiesTheList)
{
    TPluginFolder folder({"t_jpgpic.spi", "t_magmki.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), true));
    EXPECT_EQ(Extensions(), (std::vector<std::string>{".jpg", ".pic", ".mag"}));
    EXPECT_TRUE(IsLoaded(BuiltPlugin("t_jpgpic.spi")));
    EXPECT_TRUE(IsLoaded(BuiltPlugin("t_magmki.spi")));

    TsusieinfoList copy;
    CopySusiePlugins(copy);
    EXPECT_EQ(copy.Count(), 3);

    UnloadSusiePlugins();
    EXPECT_EQ(SusiePlugins.Count(), 0);
    EXPECT_FALSE(IsLoaded(BuiltPlugin("t_jpgpic.spi")));
    EXPECT_FALSE(IsLoaded(BuiltPlugin("t_magmki.spi")));
}

TEST(SusiePlugins, TheFirstPluginInListOrderThatAcceptsTheFileIsChosen)
{
    TPluginFolder folder({"t_script.spi", "t_magmki.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    const TSusieModule magmki = SusiePlugins.Get(0).Module;
    const TSusieModule script = SusiePlugins.Get(1).Module;

    uint8_t start[kFileStartSize + 1] = {'Q', 'S', 'P', 'I'};
    TSusieModule module = nullptr;
    EXPECT_EQ(FindSupportingPlugin("picture.qsp", start, module), 1);
    EXPECT_EQ(module, magmki);

    std::memcpy(start, "NOPE", 4);
    EXPECT_EQ(FindSupportingPlugin("picture.qsp", start, module), 0);
    EXPECT_EQ(module, script);
}

TEST(SusiePlugins, InformationShowsTheDescriptionOfPluginsWithoutSettingsDialog)
{
    TPluginFolder folder({"t_jpgpic.spi", "t_script.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    const TSusieModule withDialog = SusiePlugins.Get(0).Module;
    const TSusieModule withoutDialog = SusiePlugins.Get(1).Module;

    EXPECT_EQ(CallConfigurationDlg(withDialog, nullptr, 1), 0);
    EXPECT_EQ(ShowPluginInformation(withDialog, nullptr), std::nullopt);
    EXPECT_EQ(CallConfigurationDlg(withoutDialog, nullptr, 1), 1);
    EXPECT_EQ(ShowPluginInformation(withoutDialog, nullptr), "Scripted test plug-in");

    // A menu item left over from plug-ins released since then shows nothing, whatever its
    // handle points to now.
    UnloadSusiePlugins();
    EXPECT_EQ(ShowPluginInformation(withDialog, nullptr), std::nullopt);
    EXPECT_EQ(ShowPluginInformation(withoutDialog, nullptr), std::nullopt);
    alignas(16) static char released[4096];
    EXPECT_EQ(ShowPluginInformation(released, nullptr), std::nullopt);
}

TEST(SusiePlugins, ExceptionsThrownInPluginsStayInThem)
{
    TPluginFolder folder({"t_script.spi", "t_thinfo.spi", "t_throw.spi"});
    // A plug-in whose GetPluginInfo throws is passed over as a whole.
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    EXPECT_EQ(Extensions(), (std::vector<std::string>{".qsp", ".thr"}));
    EXPECT_FALSE(IsLoaded(BuiltPlugin("t_thinfo.spi")));
    EXPECT_FALSE(ReadBySusieGraphic(".thi"));

    const TSusieModule throwing = SusiePlugins.Get(1).Module;
    EXPECT_EQ(CallConfigurationDlg(throwing, nullptr, 1), 8);
    EXPECT_EQ(ShowPluginInformation(throwing, nullptr), "Throwing test plug-in");

    uint8_t start[kFileStartSize + 1] = {'T', 'H', 'R', 'O'};
    TSusieModule module = nullptr;
    EXPECT_EQ(FindSupportingPlugin("picture.thr", start, module), std::nullopt);
    EXPECT_EQ(module, throwing);
}
