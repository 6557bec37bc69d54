// Batch runs: the progress lines, the files saved and the pages printed, stopping, and what
// becomes of pairs whose pictures or folders fail.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "batch/batch_lists.h"
#include "batch/batch_run.h"
#include "batch/batch_texts.h"
#include "bigbitmap/big_bitmap.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "input/susie_graphic.h"
#include "output/page_fit.h"
#include "output/picture_file.h"
#include "picture_folder.h"
#include "recording_hosts.h"
#include "support/picture_checks.h"

namespace quilmo::test {
namespace {

namespace fs = std::filesystem;

constexpr TColor kRed = RGBColor(200, 0, 0);
constexpr TColor kGreen = RGBColor(0, 200, 0);
constexpr TColor kMargin = RGBColor(0, 0, 90);

std::string Done(int32_t k)
{
    return PairLineText(k) + kBatchDoneMark;
}

std::string Failed(int32_t k)
{
    return PairLineText(k) + kBatchErrorMark;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BatchRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterStandardGraphicFormats(); }

    void SetUp() override
    {
        fs::create_directory(Out());
        Settings.SameFolder = false;
        Settings.SaveFolder = (Out() / "").string();
        Settings.Gap = 10;
        Settings.MarginColor = kMargin;
    }

    fs::path Out() const { return Folder.Path() / "out"; }
    // count pictures of width x height in colour, named prefix1.bmp, prefix2.bmp, ...
    std::vector<std::string> Pictures(const std::string& prefix, int count, int32_t width,
                                      int32_t height, TColor colour) const
    {
        std::vector<std::string> paths;
        for (int i = 1; i <= count; ++i)
            paths.push_back(Folder.Picture(prefix + std::to_string(i) + ".bmp", width, height, colour));
        return paths;
    }
    void Run(const std::vector<std::string>& list1, const std::vector<std::string>& list2,
             TBatchMode mode = bmSave)
    {
        Batch.RunBatch(MakePairs(list1, list2), Folder.Folder(), Settings, mode);
    }
    static std::unique_ptr<TBitmap> Result(const fs::path& path)
    {
        auto result = std::make_unique<TBitmap>();
        result->LoadFromFile(path);
        return result;
    }

    TPictureFolder Folder;
    TRecordingRunHost Host;
    TBatchRun Batch{Host};
    TBatchRunSettings Settings;
};

TEST_F(BatchRunTest, ThreeAndFivePicturesGivePairsThenList2AloneOnTheRightHalf)
{
    Run(Pictures("l", 3, 30, 20, kRed), Pictures("r", 5, 40, 20, kGreen));
    EXPECT_TRUE(Host.WindowShown);
    EXPECT_EQ(Host.Lines, (std::vector<std::string>{Done(1), Done(2), Done(3), Done(4), Done(5),
                                                     kBatchCompletedLine}));
    EXPECT_EQ(Host.Completed, true);

    const auto pair = Result(Out() / "03.bmp");
    EXPECT_EQ(pair->GetWidth(), 80);
    EXPECT_EQ(ColourAt(*pair, 29, 19), kRed);
    EXPECT_EQ(ColourAt(*pair, 35, 0), kMargin);
    EXPECT_EQ(ColourAt(*pair, 40, 0), kGreen);

    const auto alone = Result(Out() / "05.bmp");
    EXPECT_EQ(alone->GetWidth(), 90);  // twice the picture and the gap
    EXPECT_EQ(alone->GetHeight(), 20);
    EXPECT_EQ(ColourAt(*alone, 0, 0), kMargin);
    EXPECT_EQ(ColourAt(*alone, 49, 19), kMargin);
    EXPECT_EQ(ColourAt(*alone, 50, 0), kGreen);
    EXPECT_EQ(ColourAt(*alone, 89, 19), kGreen);
}

TEST_F(BatchRunTest, AStopDuringPairThreeLetsItFinishAndEndsWithFourLines)
{
    Host.OnMessages = [this] {
        if (Host.Lines.size() == 3 && Host.Lines[2] == PairLineText(3)) Batch.Stop();
    };
    Run(Pictures("l", 5, 8, 8, kRed), Pictures("r", 5, 8, 8, kGreen));
    EXPECT_EQ(Host.Lines,
              (std::vector<std::string>{Done(1), Done(2), Done(3), kBatchStoppedLine}));
    EXPECT_EQ(Host.Completed, false);
    EXPECT_FALSE(Batch.StopRequested());
    EXPECT_FALSE(Batch.Running());
    EXPECT_TRUE(fs::exists(Out() / "03.bmp"));
    EXPECT_FALSE(fs::exists(Out() / "04.bmp"));
}

TEST_F(BatchRunTest, APairThatCannotBeReadIsMarkedAndTheRunGoesOn)
{
    std::vector<std::string> list1 = Pictures("l", 3, 8, 8, kRed);
    list1[1] = Folder.Broken("broken.bmp");
    Run(list1, Pictures("r", 3, 8, 8, kGreen));
    EXPECT_EQ(Host.Lines, (std::vector<std::string>{Done(1), Failed(2), Done(3),
                                                     kBatchCompletedLine}));
    ASSERT_EQ(Host.Reasons.size(), 1u);
    EXPECT_NE(Host.Reasons[1].find("broken.bmp"), std::string::npos) << Host.Reasons[1];
    EXPECT_TRUE(Host.Errors.empty());
    EXPECT_FALSE(fs::exists(Out() / "02.bmp"));
    EXPECT_TRUE(fs::exists(Out() / "03.bmp"));
}

TEST_F(BatchRunTest, APictureAPluginCannotReadIsReportedAndStandsAsABlankPage)
{
    RegisterSusieGraphic(".xyz", "xyz");  // no plug-in is loaded, so none reads it
    std::ofstream(Folder.File("p.xyz")) << "picture";
    Settings.Method = rmOriginal;
    Run(Pictures("l", 1, 30, 20, kRed), {Folder.File("p.xyz")});
    UnregisterSusieGraphic();
    EXPECT_EQ(Host.Errors, std::vector<std::string>{LoadErrorMessage(kSusieNotSupported)});
    EXPECT_EQ(Host.Lines[0], Done(1));
    const auto result = Result(Out() / "01.bmp");
    EXPECT_EQ(result->GetWidth(), 30 + 10 + 320);
    EXPECT_EQ(result->GetHeight(), 240);
    EXPECT_EQ(ColourAt(*result, 40, 239), clWhite);
    EXPECT_EQ(ColourAt(*result, 0, 20), kMargin);
}

TEST_F(BatchRunTest, AFolderThatDoesNotExistFailsEveryPairAndWritesNothing)
{
    Settings.SaveFolder = (Folder.Path() / "nowhere" / "").string();
    Run(Pictures("l", 2, 8, 8, kRed), Pictures("r", 2, 8, 8, kGreen));
    EXPECT_EQ(Host.Lines, (std::vector<std::string>{Failed(1), Failed(2), kBatchCompletedLine}));
    ASSERT_EQ(Host.Reasons.size(), 2u);
    EXPECT_NE(Host.Reasons[0].find("nowhere"), std::string::npos) << Host.Reasons[0];
    EXPECT_FALSE(fs::exists(Folder.Path() / "nowhere"));
    EXPECT_TRUE(fs::is_empty(Out()));
}

TEST_F(BatchRunTest, SavingUnderTheSourcesNamesBesideThemAsksBeforeReplacingThem)
{
    const std::string left = Folder.Picture("q.bmp", 30, 20, kRed);
    const std::string right = Folder.File("p.jpg");
    TBigBitmap picture;
    SetupBigBitmap(picture, 40, 20, kGreen);
    SavePictureFile(picture, right, {});
    const std::string before = Bytes(right);
    Settings.Naming = bnSameName;
    Settings.Format = bfJPG;
    Settings.SameFolder = true;

    Host.Yes = false;
    Run({left}, {right});
    EXPECT_EQ(Host.Questions, std::vector<std::string>{kOverwriteQuestion});
    EXPECT_FALSE(Host.WindowShown);
    EXPECT_EQ(Bytes(right), before);

    Host.Yes = true;
    Run({left}, {right});
    EXPECT_EQ(Host.Lines[0], Done(1));
    TBigBitmap replaced;
    replaced.Assign(LoadGraphicFile(right).get());
    EXPECT_EQ(replaced.GetWidth(), 80);

    // A chosen folder that holds sources, or a prefix that adds nothing, replaces them just the
    // same, so they ask too; another folder, or names of their own, do not.
    Host.Questions.clear();
    Settings.SameFolder = false;
    Settings.SaveFolder = Folder.Path().string() + "/./";
    Run({left}, {right});
    Settings.SaveFolder = (Out() / "").string();
    Run({left}, {right});
    EXPECT_TRUE(fs::exists(Out() / "p.jpg"));
    Settings.SameFolder = true;
    Settings.Naming = bnPrefix;
    Run({left}, {right});
    Settings.NameText = "j_";
    Run({left}, {right});
    EXPECT_EQ(Host.Questions, std::vector<std::string>(2, kOverwriteQuestion));
    EXPECT_TRUE(fs::exists(Folder.File("j_p.jpg")));
}

TEST_F(BatchRunTest, ResultsThatWouldReplacePicturesOfTheRunOrEachOtherAskFirst)
{
    const std::string p1 = Folder.Picture("01.bmp", 4, 3, kRed);
    const std::string p2 = Folder.Picture("02.bmp", 4, 3, kGreen);
    const std::string p3 = Folder.Picture("03.bmp", 4, 3, kRed);
    const std::string p4 = Folder.Picture("04.bmp", 4, 3, kGreen);
    const std::string before = Bytes(p1);
    // Sequential names in a folder of pictures named like them.
    Settings.SaveFolder = Folder.Folder();
    Host.Yes = false;
    Run({p1, p3}, {p2, p4});
    EXPECT_EQ(Host.Questions, std::vector<std::string>{kOverwriteQuestion});
    EXPECT_FALSE(Host.WindowShown);
    EXPECT_EQ(Bytes(p1), before);

    // After "Yes", a result still never replaces a picture that a later pair reads.
    Host.Yes = true;
    Run({p3, p1}, {p4, p2});
    EXPECT_EQ(Host.Lines, (std::vector<std::string>{Failed(1), Done(2), kBatchCompletedLine}));
    EXPECT_EQ(Host.Reasons.size(), 1u);
    EXPECT_NE(Host.Reasons[0].find("01.bmp"), std::string::npos) << Host.Reasons[0];
    EXPECT_EQ(Bytes(p1), before);
    EXPECT_EQ(ColourAt(*Result(p2), 17, 0), kGreen);

    // Two results under one name: asked, and the later pair's stays.
    Host.Questions.clear();
    fs::create_directories(Folder.Path() / "x");
    fs::create_directories(Folder.Path() / "y");
    Settings.Naming = bnSameName;
    Settings.SaveFolder = (Out() / "").string();
    Run({p3, p3}, {Folder.Picture("x/R.bmp", 4, 3, kGreen), Folder.Picture("y/R.bmp", 4, 3, kMargin)});
    EXPECT_EQ(Host.Questions, std::vector<std::string>{kOverwriteQuestion});
    EXPECT_EQ(ColourAt(*Result(Out() / "R.bmp"), 17, 0), kMargin);

    // What replaces nothing asks nothing.
    Host.Questions.clear();
    Settings.Format = bfJPG;
    Settings.SaveFolder = Folder.Folder();
    Run({p3}, {p4});
    EXPECT_TRUE(Host.Questions.empty());
    EXPECT_TRUE(fs::exists(Folder.File("04.jpg")));

    // A result whose name is a link to a file not there yet is that file: results 1 and 2 are one.
    fs::create_symlink("02.bmp", Out() / "01.bmp");
    Settings.Naming = bnSequential;
    Settings.Format = bfBMP;
    Settings.SaveFolder = (Out() / "").string();
    Host.Yes = false;
    Run({p1, p3}, {p2, p4});
    EXPECT_EQ(Host.Questions, std::vector<std::string>{kOverwriteQuestion});
    EXPECT_FALSE(fs::exists(Out() / "02.bmp"));
}

class BatchPrintTest : public BatchRunTest {
protected:
    TRecordingListsHost ListsHost;
    TBatchLists Lists{ListsHost};

    void FillLists(int pairs) { Lists.AddFiles(Pictures("p", 2 * pairs, 30, 20, kRed)); }
};

TEST_F(BatchPrintTest, EveryPairIsOneJobTitledByItsNumberWithThePictureFittedToThePage)
{
    FillLists(12);
    Settings.Landscape = false;
    Host.Ok = false;
    Batch.PrintAll(Lists, Settings);
    EXPECT_EQ(Host.Questions, std::vector<std::string>{kPrintQuestion});
    EXPECT_FALSE(Host.WindowShown);

    Host.Ok = true;
    Batch.PrintAll(Lists, Settings);
    ASSERT_EQ(Host.Jobs.size(), 12u);
    for (int k = 1; k <= 12; ++k) {
        const TPrintedJob& job = Host.Jobs[k - 1];
        EXPECT_EQ(job.Title, "Quilmoバッチ印刷 No." + std::string(k < 10 ? "0" : "") + std::to_string(k));
        EXPECT_FALSE(job.Landscape);
        EXPECT_EQ(job.End, "ended");
        EXPECT_EQ(job.PictureWidth, 70);
        EXPECT_EQ(job.Target, FitToPage(Host.Printable, 70, 20));
        EXPECT_EQ(Host.Lines[k - 1], Done(k));
    }
    EXPECT_TRUE(fs::is_empty(Out()));

    // Results are resized before they are printed too.
    Settings.Resize.On = true;
    Settings.Resize.KeepWidth = true;
    Settings.Resize.Width = 140;
    Batch.RunBatch({{1, Lists.Rows(blList1)[0], Lists.Rows(blList2)[0]}}, "", Settings, bmPrint);
    EXPECT_EQ(Host.Jobs.back().PictureWidth, 140);
    EXPECT_EQ(Host.Jobs.back().PictureHeight, 40);
}

TEST_F(BatchPrintTest, AKeyDuringAJobAbortsItAndTheJobsAfterItWhileTheRunGoesOn)
{
    FillLists(4);
    Host.OnMessages = [this] {
        if (Batch.Printing() && Host.Jobs.size() == 2) Batch.KeyDown(true);
    };
    Batch.PrintAll(Lists, Settings);
    ASSERT_EQ(Host.Jobs.size(), 4u);
    EXPECT_EQ(Host.Jobs[0].End, "ended");
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(Host.Jobs[i].End, "aborted");
    EXPECT_EQ(Host.Information, std::vector<std::string>{kPrintAborted});
    EXPECT_EQ(Host.Lines, (std::vector<std::string>{Done(1), Failed(2), Failed(3), Failed(4),
                                                     kBatchCompletedLine}));

    // The next batch print starts afresh.
    Host.OnMessages = nullptr;
    Batch.PrintAll(Lists, Settings);
    EXPECT_EQ(Host.Jobs.back().End, "ended");
}

}  // namespace
}  // namespace quilmo::test
