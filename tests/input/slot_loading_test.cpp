// Loading files into the slots: where they go, what is skipped, what is reported.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "bigbitmap/errors.h"
#include "core/picture_helpers.h"
#include "core/recording_host.h"
#include "core/slot_document.h"
#include "input/graphic_registry.h"
#include "input/slot_loading.h"
#include "input/susie_errors.h"
#include "output/picture_file.h"
#include "support/scratch_folder.h"

namespace quilmo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Stands in for a plug-in that cannot read its file: it reports only through the error code.
class TFailingPluginGraphic : public TBigBitmap {
public:
    void LoadFromFile(const fs::path&) override { SetSusieError(2); }
};

class SlotLoadingTest : public ::testing::Test {
protected:
    TRecordingHost Host;
    TSlotDocument Document{Host};
    TSlotLoader Loader{Document};
    const TScratchFolder Scratch;
    const fs::path Folder = Scratch.Path();

    static void SetUpTestSuite() { RegisterStandardGraphicFormats(); }

    void SetUp() override
    {
        Host.View = {4000, 4000};
        // Every picture extension here reads BMP bytes: these tests are about slots, not codecs.
        for (const char* extension : {".bmp", ".jpg", ".png"})
            RegisterGraphicFormat(
                {extension, "test", [] { return std::make_unique<TBigBitmap>(); }, this});
        RegisterGraphicFormat({".plg", "test plug-in",
                               [] { return std::make_unique<TFailingPluginGraphic>(); }, this});
    }
    void TearDown() override { UnregisterGraphicFormats(this); }

    // A picture file of width x 10 pixels; returns its full name.
    std::string Picture(const std::string& name, int32_t width)
    {
        TBigBitmap bitmap;
        SetupBigBitmap(bitmap, width, 10, RGBColor(1, 2, 3));
        const fs::path path = Folder / name;
        bitmap.SaveToFile(path);
        return path.string();
    }
    std::string Garbage(const std::string& name)
    {
        const fs::path path = Folder / name;
        std::ofstream(path) << "not a picture";
        return path.string();
    }
    std::string Missing(const std::string& name) { return (Folder / name).string(); }

    std::vector<int32_t> SlotWidths() const
    {
        std::vector<int32_t> widths;
        for (int32_t i = 0; i < kSlotCount; ++i)
            widths.push_back(Document.Slot(i) ? Document.Slot(i)->GetWidth() : 0);
        return widths;
    }
    void LoadWidths(std::initializer_list<int32_t> widths)
    {
        std::vector<std::string> names;
        for (int32_t w : widths) names.push_back(Picture("w" + std::to_string(w) + ".bmp", w));
        Loader.LoadFiles(names);
        Host.Calls.clear();
    }
};

TEST_F(SlotLoadingTest, FilesGoAfterTheFilledSlotsAndLeftoversAreIgnored)
{
    LoadWidths({1, 2, 3, 4});
    Loader.LoadFiles({Picture("a.bmp", 5), Picture("b.bmp", 6), Picture("c.bmp", 7)});
    EXPECT_THAT(SlotWidths(), ElementsAre(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(Document.Count(), 6);
    EXPECT_EQ(Document.SlotName(4), (Folder / "a.bmp").string());
    EXPECT_THAT(
        Host.CallsStartingWith("status"),
        ElementsAre("status 　ロード中・・・・・",
                    "status   [1]w1.bmp  [2]w2.bmp  [3]w3.bmp  [4]w4.bmp  [5]a.bmp  [6]b.bmp"));
    EXPECT_EQ(Host.Calls.front(), "status 　ロード中・・・・・");
    EXPECT_EQ(Host.Calls.back(), "enable");
}

TEST_F(SlotLoadingTest, AFullDocumentStartsOverFromTheFirstSlot)
{
    LoadWidths({1, 2, 3, 4, 5, 6});
    Loader.LoadFiles({Picture("a.bmp", 10), Picture("b.bmp", 20)});
    EXPECT_EQ(Document.Count(), 2);
    EXPECT_EQ(Document.LastCount(), 2);
    EXPECT_THAT(SlotWidths(), ElementsAre(10, 20, 3, 4, 5, 6));
    EXPECT_EQ(Document.Joined().GetWidth(), 30);
}

TEST_F(SlotLoadingTest, UnreadableAndMissingFilesLeaveNoGapAndAreListedInOneMessage)
{
    const std::string bad = Garbage("bad.bmp");
    Loader.LoadFiles({Picture("a.bmp", 10), bad, Missing("gone.bmp"), Picture("c.bmp", 30)});
    EXPECT_THAT(SlotWidths(), ElementsAre(10, 30, 0, 0, 0, 0));
    EXPECT_EQ(Document.SlotName(1), (Folder / "c.bmp").string());
    EXPECT_THAT(Host.Errors, ElementsAre("次のファイルを読み込めませんでした。\n\n" + bad +
                                         ": Stream read error\n" +
                                         Missing("gone.bmp") + ": ファイルが見つかりません"));
    // After the load: the message does not hide the joined picture's progress.
    EXPECT_EQ(Host.Calls.back(), "error " + Host.Errors.front());

    // One file read for a slot of its own says why it was not read.
    Host.Errors.clear();
    EXPECT_EQ(Loader.ReadPicture(Garbage("empty.bmp")).Picture, nullptr);
    ASSERT_EQ(Host.Errors.size(), 1u);
    EXPECT_THAT(Host.Errors.front(), ::testing::HasSubstr("empty.bmp: "));
}

TEST_F(SlotLoadingTest, ALoadThatReadsNothingRestoresTheStatusAndKeepsTheCount)
{
    LoadWidths({1, 2, 3, 4, 5, 6});
    Host.Status = "kept";
    Loader.LoadFiles({Garbage("bad.bmp"), Missing("gone.bmp")});
    EXPECT_EQ(Host.Status, "kept");
    EXPECT_THAT(Host.Calls, ElementsAre("status 　ロード中・・・・・", "bar shown", "status kept",
                                        "bar hidden", "enable", ::testing::StartsWith("error ")));
    EXPECT_EQ(Document.Count(), 6);
    EXPECT_EQ(Document.LastCount(), 6);
    EXPECT_THAT(SlotWidths(), ElementsAre(1, 2, 3, 4, 5, 6));

    // The count arrow still sees the real count: going down empties the last slot only.
    Document.SetCount(5);
    EXPECT_THAT(SlotWidths(), ElementsAre(1, 2, 3, 4, 5, 0));
}

TEST_F(SlotLoadingTest, APipeOrAFolderIsNotWaitedOnAndLeavesNoGap)
{
    const std::string pipe = (Folder / "pipe.bmp").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string album = (Folder / "album.bmp").string();
    fs::create_directory(album);
    EXPECT_EQ(Loader.ReadPicture(pipe).Picture, nullptr);
    EXPECT_EQ(Loader.ReadPicture(album).Picture, nullptr);
    Host.Errors.clear();
    Loader.LoadFiles({pipe, Picture("a.bmp", 10), album, Picture("b.bmp", 20)});
    EXPECT_THAT(SlotWidths(), ElementsAre(10, 20, 0, 0, 0, 0));
    EXPECT_THAT(Host.Errors, ElementsAre("次のファイルを読み込めませんでした。\n\n" + pipe +
                                         ": ファイルが見つかりません\n" + album +
                                         ": ファイルが見つかりません"));
}

TEST_F(SlotLoadingTest, APlugInFailureIsShownWithTheFileAndListedWithTheFilesNotRead)
{
    const std::string failing = Picture("a.plg", 10);
    Loader.LoadFiles({failing, Picture("b.bmp", 20)});
    const std::string reason = "プラグインエラー:未知のフォーマットのため、ファイルを開けません";
    EXPECT_THAT(Host.Errors, ElementsAre(failing + " を読み込めませんでした\n" + reason,
                                         "次のファイルを読み込めませんでした。\n\n" + failing + ": " + reason));
    EXPECT_THAT(SlotWidths(), ElementsAre(20, 0, 0, 0, 0, 0));
    EXPECT_EQ(TakeSusieError(), 0);
}

TEST_F(SlotLoadingTest, AJpeFileLoadsAsJpeg)
{
    TBigBitmap bitmap;
    SetupBigBitmap(bitmap, 24, 16, RGBColor(0, 0, 255));
    SavePictureFile(bitmap, Folder / "photo.jpe", {});
    Loader.LoadFiles({(Folder / "photo.jpe").string()});
    ASSERT_EQ(Document.Count(), 1);
    EXPECT_EQ(Document.Slot(0)->GetWidth(), 24);
    EXPECT_EQ(Document.Joined().GetHeight(), 16);
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(SlotLoadingTest, LoadErrorTexts)
{
    Loader.ShowLoadError("a.plg", 0);
    Loader.ShowLoadError("b.plg", -5);
    Loader.ShowLoadError("c.plg", 7);
    EXPECT_THAT(Host.Errors, ElementsAre("b.plg を読み込めませんでした\nため、ファイルを開けません",
                                         "c.plg を読み込めませんでした\nファイルオープンエラーのため、ファイルを開けません"));
}

TEST_F(SlotLoadingTest, ExtensionsLongerThanAPluginFieldAreKnownByWhatItHolds)
{
    Loader.FExtensions.push_back(".avif");
    EXPECT_TRUE(Loader.IsKnownExtension("clip.AVIFS"));
    EXPECT_FALSE(Loader.IsKnownExtension("clip.avi"));
}

TEST_F(SlotLoadingTest, DroppedFilesAreFilteredAndSortedIgnoringCase)
{
    Loader.DropFiles(
        {Picture("b.jpg", 20), Picture("A.png", 10), Garbage("c.txt"), Missing("d.png")});
    EXPECT_THAT(SlotWidths(), ElementsAre(10, 20, 0, 0, 0, 0));
    EXPECT_EQ(Loader.FLastDir, Folder);
}

TEST_F(SlotLoadingTest, ADropOnAFullDocumentIsIgnored)
{
    LoadWidths({1, 2, 3, 4, 5, 6});
    Loader.DropFiles({Picture("a.bmp", 10)});
    EXPECT_THAT(SlotWidths(), ElementsAre(1, 2, 3, 4, 5, 6));
    EXPECT_TRUE(Host.Calls.empty());
}

TEST_F(SlotLoadingTest, CommandLineArgumentsAreRejoinedAcrossBlanks)
{
    const std::string photo = Picture("My Photo.jpg", 10);
    const std::string other = Picture("b.bmp", 20);
    const std::vector<std::string> split{(Folder / "My").string(), "Photo.jpg", other};
    EXPECT_THAT(RejoinArguments(split).Files, ElementsAre(photo, other));
    Loader.LoadCommandLine(split);
    EXPECT_THAT(SlotWidths(), ElementsAre(10, 20, 0, 0, 0, 0));
    EXPECT_EQ(Document.SlotName(0), photo);
    EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(SlotLoadingTest, CommandLineNamesThatAreNoFileSwallowNothing)
{
    const std::string tiny = Picture("tiny.png", 10);
    Picture("b c.bmp", 20);
    const fs::path kept = fs::current_path();
    fs::current_path(Folder);
    // A missing name, a relative one, a name with its blank kept, and one split at it.
    Loader.LoadCommandLine({"nonexist.png", "tiny.png", "b c.bmp", "x", "b", "c.bmp", "y"});
    fs::current_path(kept);
    EXPECT_THAT(SlotWidths(), ElementsAre(10, 20, 20, 0, 0, 0));
    EXPECT_EQ(Document.SlotName(0), tiny);
    EXPECT_EQ(Loader.FLastDir, Folder);
    EXPECT_THAT(Host.Errors, ElementsAre("次のファイルを読み込めませんでした。\n\n"
                                         "nonexist.png: ファイルが見つかりません\n"
                                         "x: ファイルが見つかりません\n"
                                         "y: ファイルが見つかりません"));
}

TEST_F(SlotLoadingTest, KnownExtensionsAreComparedAfterLowering)
{
    EXPECT_THAT(Loader.FExtensions, ElementsAre(".jpg", ".jpeg", ".bmp", ".png", ".gif", ".jpe"));
    EXPECT_TRUE(Loader.IsKnownExtension("/p/X.JPE"));
    EXPECT_FALSE(Loader.IsKnownExtension("/p/a.txt"));
    EXPECT_FALSE(Loader.IsKnownExtension("/p/noext"));
    EXPECT_FALSE(Loader.IsKnownExtension("/p.jpg/noext"));
    Loader.FExtensions.push_back(".pi");
    EXPECT_TRUE(Loader.IsKnownExtension("a.PI"));
    Loader.ResetExtensions();
    EXPECT_FALSE(Loader.IsKnownExtension("a.pi"));
}

// The drop filter, the loader and the writer read a name's extension alike: what the writer
// saves as JPEG, the filter offers and the loader reads back; what it saves as BMP is neither.
TEST(FileExtensionTest, DropFilterLoaderAndWriterAgree)
{
    RegisterStandardGraphicFormats();
    TRecordingHost host;
    TSlotDocument document(host);
    TSlotLoader loader(document);
    const TScratchFolder folder;
    fs::create_directory(folder / "dir.x");
    TBigBitmap picture;
    SetupBigBitmap(picture, 8, 5, RGBColor(9, 9, 9));
    for (const auto& [name, jpeg] : {std::pair{".jpg", true}, {"a.JPG", true}, {"dir.x/name", false}, {"name.", false}}) {
        SCOPED_TRACE(name);
        const std::string path = (folder / name).string();
        SavePictureFile(picture, path, {});
        EXPECT_EQ(PictureFileFormat(path) == TPictureFileFormat::JPEG, jpeg);
        EXPECT_EQ(loader.IsKnownExtension(path), jpeg);
        if (jpeg)
            EXPECT_EQ(LoadGraphicFile(path)->GetWidth(), 8);
        else
            EXPECT_THROW(LoadGraphicFile(path), EInvalidGraphic);
    }
}

TEST(SortNamesTest, IgnoresLetterCase)
{
    std::vector<std::string> names{"b.jpg", "A.png", "a.bmp", "B.gif"};
    SortNamesIgnoringCase(names);
    EXPECT_THAT(names, ElementsAre("a.bmp", "A.png", "B.gif", "b.jpg"));
}

}  // namespace
}  // namespace quilmo::test
