// The two batch lists: where files go, what each list operation does to rows, selections and
// previews, and what happens to files that cannot be read.

#include <gtest/gtest.h>

#include "batch/batch_lists.h"
#include "batch/pair_picture.h"
#include "input/graphic_registry.h"
#include "picture_folder.h"
#include "recording_hosts.h"

namespace quilmo::test {
namespace {

class BatchListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterStandardGraphicFormats(); }

    TPictureFolder Folder;
    TRecordingListsHost Host;
    TBatchLists Lists{Host};

    // Pictures named by one character each ("a.bmp"), told apart by their red value.
    std::vector<std::string> Pictures(const std::string& names) const
    {
        std::vector<std::string> paths;
        for (const char c : names) paths.push_back(Path(c));
        return paths;
    }
    std::string Path(char name) const
    {
        return Folder.Picture(std::string(1, name) + ".bmp", 8, 6,
                              RGBColor(static_cast<uint8_t>(name), 0, 0));
    }
    // The names of a list's rows, in order.
    std::string Names(TBatchList list) const
    {
        std::string names;
        for (const std::string& row : Lists.Rows(list))
            names += std::filesystem::path(row).filename().string().front();
        return names;
    }
    // The name of the picture a preview shows; '-' while it is empty.
    char ShownName(TBatchList list) const
    {
        return Host.Shown[list] ? static_cast<char>(ColorRed(*Host.Shown[list])) : '-';
    }
    // list 1 = b, d and list 2 = a, c, e.
    void OpenFive() { Lists.OpenFiles(Pictures("abcde")); }
};

TEST_F(BatchListsTest, OpenedFilesAlternateStartingWithList2AndRowZeroIsPreviewed)
{
    OpenFive();
    EXPECT_EQ(Names(blList2), "ace");
    EXPECT_EQ(Names(blList1), "bd");
    EXPECT_EQ(Lists.Selected(blList1), 0);
    EXPECT_EQ(Lists.Selected(blList2), 0);
    EXPECT_EQ(ShownName(blList1), 'b');
    EXPECT_EQ(ShownName(blList2), 'a');
    EXPECT_EQ(Host.Hints[blList2], Path('a'));
    EXPECT_EQ(Lists.BatchFolder(), Folder.Folder());

    // Opening again starts from empty lists and previews.
    Lists.OpenFiles(Pictures("x"));
    EXPECT_EQ(Names(blList2), "x");
    EXPECT_EQ(Names(blList1), "");
    EXPECT_EQ(ShownName(blList1), '-');
    EXPECT_EQ(Host.Hints[blList1], "");
}

TEST_F(BatchListsTest, AddedFilesStartWithList1WhenItIsTheShorter)
{
    OpenFive();
    Lists.AddFiles(Pictures("fg"));
    EXPECT_EQ(Names(blList1), "bdf");
    EXPECT_EQ(Names(blList2), "aceg");
}

TEST_F(BatchListsTest, DeletingSelectsTheNextRowOrTheRowAboveInBothLists)
{
    OpenFive();
    Lists.Select(blList1, 1);
    Lists.Delete(blList1);  // the last row of the shorter list
    EXPECT_EQ(Names(blList1), "b");
    EXPECT_EQ(Lists.Selected(blList1), 0);
    EXPECT_EQ(Lists.Selected(blList2), 0);
    EXPECT_EQ(Lists.LastRow(blList1), 0);
    EXPECT_EQ(Lists.LastRow(blList2), 0);
    EXPECT_EQ(ShownName(blList1), 'b');
    EXPECT_EQ(ShownName(blList2), 'a');

    Lists.Select(blList2, 1);
    Host.Shown[blList1].reset();
    Lists.Delete(blList2);  // a middle row: the next one takes its place
    EXPECT_EQ(Names(blList2), "ae");
    EXPECT_EQ(Lists.Selected(blList2), 1);
    EXPECT_EQ(ShownName(blList2), 'e');
    EXPECT_EQ(ShownName(blList1), '-');  // list 1 is not touched

    Lists.Select(blList1, 0);
    Lists.Delete(blList1);  // the only row
    EXPECT_EQ(Names(blList1), "");
    EXPECT_EQ(ShownName(blList1), '-');
    EXPECT_EQ(Host.Hints[blList1], "");
    EXPECT_EQ(Lists.Selected(blList2), -1);
    EXPECT_EQ(ShownName(blList2), '-');
}

TEST_F(BatchListsTest, MovingARowTakesThePairAlong)
{
    OpenFive();
    Lists.Select(blList2, 2);
    Lists.MoveUp(blList2);
    EXPECT_EQ(Names(blList2), "aec");
    EXPECT_EQ(Lists.Selected(blList2), 1);
    EXPECT_EQ(Lists.Selected(blList1), 1);
    EXPECT_EQ(ShownName(blList1), 'd');

    Lists.MoveDown(blList2);
    Lists.MoveDown(blList2);  // the last row stays where it is
    EXPECT_EQ(Names(blList2), "ace");
    EXPECT_EQ(Lists.Selected(blList2), 2);
    // List 1 has no row 2: it shows nothing.
    EXPECT_EQ(Lists.Selected(blList1), -1);
    EXPECT_EQ(Lists.LastRow(blList1), -1);
    EXPECT_EQ(ShownName(blList1), '-');
}

TEST_F(BatchListsTest, AClickShowsThePairOfItsRowOnceUnlessADragPassedBy)
{
    OpenFive();
    Lists.Select(blList1, 1);
    Lists.ListClick(blList1, true);
    EXPECT_EQ(Lists.Selected(blList2), 1);
    EXPECT_EQ(ShownName(blList1), 'd');
    EXPECT_EQ(ShownName(blList2), 'c');
    EXPECT_EQ(Host.Aligned, (std::vector<TBatchList>{blList2, blList1}));

    Host.Shown = {};
    Lists.ListClick(blList1, true);
    EXPECT_EQ(ShownName(blList1), '-');  // shown already
    Lists.DragOver();
    Lists.ListClick(blList1, true);
    EXPECT_EQ(ShownName(blList1), 'd');

    // A row the other list does not have clears the other list.
    Lists.Select(blList2, 2);
    Lists.ListClick(blList2, true);
    EXPECT_EQ(ShownName(blList2), 'e');
    EXPECT_EQ(Lists.Selected(blList1), -1);
    EXPECT_EQ(ShownName(blList1), '-');
}

TEST_F(BatchListsTest, ARowDraggedFromList2OntoRow0OfList1MovesOverAndShiftsThePairs)
{
    OpenFive();
    Lists.MouseDown(2);
    Lists.DragOver();
    Lists.DragDrop(blList1, blList2, 0);
    EXPECT_EQ(Names(blList1), "ebd");
    EXPECT_EQ(Names(blList2), "ac");
    EXPECT_EQ(Lists.Selected(blList1), 0);
    EXPECT_EQ(ShownName(blList1), 'e');
    EXPECT_EQ(ShownName(blList2), 'a');
    const std::vector<TBatchPair> pairs = Lists.Pairs();
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[1].Left, Path('b'));
    EXPECT_EQ(pairs[1].Right, Path('c'));
    EXPECT_EQ(pairs[2].Left, Path('d'));
    EXPECT_EQ(pairs[2].Right, "");

    // Within a list the two rows change places.
    Lists.MouseDown(0);
    Lists.DragDrop(blList1, blList1, 2);
    EXPECT_EQ(Names(blList1), "dbe");
    EXPECT_EQ(Lists.Selected(blList1), 2);
}

TEST_F(BatchListsTest, ADropBelowTheLastRowChangesNothing)
{
    OpenFive();
    Lists.Select(blList1, 1);
    Lists.ListClick(blList1, true);
    Lists.MouseDown(0);
    Lists.DragOver();
    Host.Changed.clear();
    Lists.DragDrop(blList1, blList2, -1);
    EXPECT_EQ(Names(blList1), "bd");
    EXPECT_EQ(Names(blList2), "ace");
    EXPECT_TRUE(Host.Changed.empty());
    // The drag is over: a click on the row shown stays a click on the row shown.
    Host.Shown = {};
    Lists.ListClick(blList1, true);
    EXPECT_EQ(ShownName(blList1), '-');
}

TEST_F(BatchListsTest, SortingOneListPairsItsRowsWithTheOtherListAsItIs)
{
    const std::vector<std::string> list1 = Pictures("cAb");
    const std::vector<std::string> list2 = Pictures("xyz");
    Lists.AddFiles({list2[0], list1[0], list2[1], list1[1], list2[2], list1[2]});
    ASSERT_EQ(Names(blList1), "cAb");
    Lists.Sort(blList1);
    EXPECT_EQ(Names(blList1), "Abc");  // letter case does not count
    EXPECT_EQ(Names(blList2), "xyz");
    // The selection stays on row 0, which now holds another picture.
    EXPECT_EQ(Lists.Selected(blList1), 0);
    EXPECT_EQ(ShownName(blList1), 'A');
    EXPECT_EQ(Lists.Pairs()[0].Left, Path('A'));
    EXPECT_EQ(Lists.Pairs()[0].Right, Path('x'));
    EXPECT_EQ(Lists.Pairs()[2].Left, Path('c'));

    Lists.AddFiles(Pictures("B"));  // appended, not sorted in
    EXPECT_EQ(Names(blList2), "xyzB");
}

TEST_F(BatchListsTest, SwappingExchangesTheListsAndShowsTheSelectedPair)
{
    OpenFive();
    Lists.Select(blList1, 1);
    Lists.Swap();
    EXPECT_EQ(Names(blList1), "ace");
    EXPECT_EQ(Names(blList2), "bd");
    EXPECT_EQ(Lists.Selected(blList2), 1);
    EXPECT_EQ(Lists.Selected(blList1), 1);
    EXPECT_EQ(ShownName(blList2), 'd');
    EXPECT_EQ(ShownName(blList1), 'c');
}

TEST_F(BatchListsTest, FilesThatCannotBeReadAreReportedAndRemoved)
{
    const std::string broken = Folder.Broken("#.bmp");
    const std::string reason = ReadBatchPicture(broken).Error;
    ASSERT_FALSE(reason.empty());
    // Not a file: ignored without a word. A file that cannot be read is named, with one button.
    Lists.DropFiles({Path('a'), broken, Folder.File("missing.bmp"), Path('b'), Folder.Path().string()});
    EXPECT_EQ(Host.Errors, std::vector<std::string>{
                               "OK: 次のファイルを読み込めませんでした。\n\n" + broken + ": " + reason});
    EXPECT_EQ(Names(blList1), "");
    EXPECT_EQ(Names(blList2), "ab");
    EXPECT_EQ(ShownName(blList2), 'a');
    EXPECT_EQ(Lists.BatchFolder(), "");  // a drop leaves the batch folder

    // When a pair is shown, a row that cannot be read goes and its preview stays empty.
    Lists.AddFiles(Pictures("cef"));
    ASSERT_EQ(Names(blList1), "cf");
    ASSERT_EQ(Names(blList2), "abe");
    std::filesystem::remove(Folder.File("b.bmp"));
    Lists.Select(blList2, 1);
    Lists.ListClick(blList2, true);
    EXPECT_EQ(Host.Errors.size(), 2u);
    EXPECT_EQ(Names(blList2), "ae");
    EXPECT_EQ(ShownName(blList2), '-');
    EXPECT_EQ(Host.Hints[blList2], Folder.File("e.bmp"));
    EXPECT_EQ(Lists.Selected(blList1), 1);
    EXPECT_EQ(ShownName(blList1), 'f');
}

}  // namespace
}  // namespace quilmo::test
