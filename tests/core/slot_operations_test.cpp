// The slot operations and setting changes: slot order, names, count and status texts after
// each, and what a change rebuilds.

#include "document_fixture.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

// Three to four pictures 100 pixels wide, shown 1:1 in a 4000-pixel view: the first starts at
// x 1850 (more for four), each ends 100 pixels after the previous one.
class SlotOperationsTest : public DocumentTest {
protected:
    void SetUp() override { Host.View = {4000, 4000}; }

    void LoadABCD(int count)
    {
        const std::vector<TSolid> all{{100, 50, kRed, "/p/a.jpg"},
                                      {100, 50, kGreen, "/p/b.jpg"},
                                      {100, 50, kBlue, "/p/c.jpg"},
                                      {100, 50, kGrey, "/p/d.jpg"}};
        Load({all.begin(), all.begin() + count});
    }
    // A point inside slot i's picture.
    void ClickInSlot(int32_t i) { ClickAt(Document.SlotEdge(i) - 50, 2000); }
};

TEST_F(SlotOperationsTest, InsertAfterTheFirstOfThree)
{
    LoadABCD(3);
    ClickInSlot(0);
    Document.InsertAfterClick({SolidPicture(100, 50, kFill), "/p/x.jpg", {}});
    EXPECT_EQ(Document.Count(), 4);
    EXPECT_EQ(Document.LastCount(), 4);
    EXPECT_THAT(SlotColours(), ElementsAre(kRed, kFill, kGreen, kBlue));
    EXPECT_THAT(Host.CallsStartingWith("status"),
                ElementsAre("status 　ロード中・・・・・",
                            "status   [1]a.jpg  [2]x.jpg  [3]b.jpg  [4]c.jpg"));
    EXPECT_THAT(Host.CallsStartingWith("count"), ElementsAre("count 4"));
    EXPECT_EQ(Host.Calls.back(), "enable");
}

TEST_F(SlotOperationsTest, InsertIntoAFullDocumentDoesNothing)
{
    Load({{10, 10, kRed, "1"},
          {10, 10, kRed, "2"},
          {10, 10, kRed, "3"},
          {10, 10, kRed, "4"},
          {10, 10, kRed, "5"},
          {10, 10, kRed, "6"}});
    EXPECT_FALSE(Document.CanInsert());
    Document.InsertAfterClick({SolidPicture(10, 10, kFill), "x", {}});
    EXPECT_EQ(Document.Count(), 6);
    EXPECT_TRUE(Host.Calls.empty());
}

TEST_F(SlotOperationsTest, InsertIntoAnEmptyDocumentFillsSlotZero)
{
    Document.InsertAfterClick({SolidPicture(10, 10, kFill), "/p/x.jpg", {}});
    EXPECT_EQ(Document.Count(), 1);
    EXPECT_THAT(SlotColours(), ElementsAre(kFill));
}

TEST_F(SlotOperationsTest, DeleteTheSecondOfFour)
{
    LoadABCD(4);
    ClickInSlot(1);
    Document.DeleteAtClick();
    EXPECT_EQ(Document.Count(), 3);
    EXPECT_THAT(SlotColours(), ElementsAre(kRed, kBlue, kGrey));
    EXPECT_EQ(Document.Slot(3), nullptr);
    EXPECT_EQ(Document.SlotName(3), "");
    EXPECT_EQ(Document.SlotRect(3), EmptyRect);
    EXPECT_EQ(Document.SlotEdge(3), 0);
    EXPECT_THAT(
        Host.CallsStartingWith("status"),
        ElementsAre("status 　画像再結合中・・・・・", "status   [1]a.jpg  [2]c.jpg  [3]d.jpg"));
}

TEST_F(SlotOperationsTest, DeletingTheLastPictureEmptiesTheDocument)
{
    LoadABCD(1);
    Document.DeleteAtClick();
    EXPECT_EQ(Document.Count(), 0);
    EXPECT_TRUE(Document.Joined().GetEmpty());
    EXPECT_THAT(Host.Calls, ElementsAre("count 0", "preview none", "status ", "disable"));
}

TEST_F(SlotOperationsTest, APointBeyondTheLastPictureMeansSlotZero)
{
    LoadABCD(3);
    ClickAt(3999, 2000);
    EXPECT_EQ(Document.SlotAtPoint(), 0);
    Document.ReplaceAtClick({SolidPicture(100, 50, kFill), "/p/x.jpg", {}});
    EXPECT_THAT(SlotColours(), ElementsAre(kFill, kGreen, kBlue));
    Document.PasteFromClipboard(SolidPicture(100, 50, kGrey));
    EXPECT_THAT(SlotColours(), ElementsAre(kGrey, kGreen, kBlue));
    EXPECT_EQ(Document.SlotName(0), "クリップボード");
    Document.DeleteAtClick();
    EXPECT_THAT(SlotColours(), ElementsAre(kGreen, kBlue));
}

TEST_F(SlotOperationsTest, APointInAGapMeansTheNextSlot)
{
    Document.SetGap(1);
    LoadABCD(2);
    ClickAt(Document.SlotEdge(0) + 5, 0);
    EXPECT_EQ(Document.SlotAtPoint(), 1);
}

TEST_F(SlotOperationsTest, ReplaceInAnEmptyDocumentMakesCountOne)
{
    Document.ReplaceAtClick({SolidPicture(30, 20, kFill), "/p/x.jpg", {}});
    EXPECT_EQ(Document.Count(), 1);
    EXPECT_EQ(Document.SlotName(0), "/p/x.jpg");
    EXPECT_THAT(Host.CallsStartingWith("status"),
                ElementsAre("status 　ロード中・・・・・", "status   [1]x.jpg"));
}

TEST_F(SlotOperationsTest, PasteFromTheCopyBufferSaysCreatingOrRejoining)
{
    Document.PasteFromCopyBuffer(SolidPicture(30, 20, kFill), {});
    EXPECT_EQ(Document.SlotName(0), "コピー画像");
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　画像作成中・・・・・");
    Host.Calls.clear();
    Document.PasteFromCopyBuffer(SolidPicture(30, 20, kRed), {});
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　画像再結合中・・・・・");
    EXPECT_EQ(Document.Count(), 1);
}

TEST_F(SlotOperationsTest, CountUpFromZeroMakesAWhitePage)
{
    Document.SetCount(1);
    auto* blank = dynamic_cast<const TBigBitmap*>(Document.Slot(0));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->GetWidth(), 640);
    EXPECT_EQ(blank->GetHeight(), 480);
    EXPECT_EQ(ColourAt(const_cast<TBigBitmap&>(*blank), 639, 479), clWhite);
    EXPECT_EQ(Document.SlotName(0), "白紙");
    EXPECT_EQ(Document.LastCount(), 1);
    EXPECT_THAT(Host.CallsStartingWith("status"),
                ElementsAre("status 　画像作成中・・・・・", "status   [1]白紙"));
    EXPECT_EQ(Host.Calls.back(), "enable");
}

TEST_F(SlotOperationsTest, CountUpCopiesTheSizeOfTheLastPicture)
{
    Load({{30, 20, kRed, "a"}, {50, 40, kGreen, "b"}});
    Document.SetCount(3);
    EXPECT_EQ(Document.Slot(2)->GetWidth(), 50);
    EXPECT_EQ(Document.Slot(2)->GetHeight(), 40);
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　画像結合中・・・・・");
    EXPECT_EQ(JoinedSize(), (TSize{130, 40}));
}

TEST_F(SlotOperationsTest, CountDownEmptiesTheLastSlot)
{
    LoadABCD(3);
    Document.SetCount(2);
    EXPECT_EQ(Document.Slot(2), nullptr);
    EXPECT_EQ(Document.SlotRect(2), EmptyRect);
    EXPECT_EQ(Document.SlotEdge(2), 0);
    EXPECT_EQ(JoinedSize(), (TSize{200, 50}));
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　画像結合中・・・・・");
    Host.Calls.clear();
    Document.SetCount(2);
    EXPECT_TRUE(Host.Calls.empty());
}

TEST_F(SlotOperationsTest, CountZeroAndClearAllEmptyEverything)
{
    LoadABCD(1);
    Document.SetCount(0);
    EXPECT_EQ(Document.Slot(0), nullptr);
    EXPECT_TRUE(Document.Joined().GetEmpty());
    EXPECT_THAT(Host.Calls, ElementsAre("count 0", "preview none", "status ", "disable"));

    LoadABCD(3);
    Document.ClearAll();
    EXPECT_EQ(Document.Count(), 0);
    EXPECT_EQ(Document.LastCount(), 0);
    EXPECT_THAT(SlotNames(), ElementsAre("", "", "", "", "", ""));
    EXPECT_TRUE(Document.Joined().GetEmpty());
    EXPECT_EQ(Document.SlotRect(0), EmptyRect);
}

TEST_F(SlotOperationsTest, ReversingFourAndOne)
{
    LoadABCD(4);
    Document.ReverseOrder();
    EXPECT_THAT(SlotColours(), ElementsAre(kGrey, kBlue, kGreen, kRed));
    EXPECT_THAT(SlotNames(), ElementsAre("/p/d.jpg", "/p/c.jpg", "/p/b.jpg", "/p/a.jpg", "", ""));
    EXPECT_EQ(JoinedAt(0, 0), kGrey);
    EXPECT_EQ(JoinedAt(399, 49), kRed);

    Document.ClearAll();
    LoadABCD(1);
    Document.ReverseOrder();
    EXPECT_TRUE(Host.Calls.empty());
}

TEST_F(SlotOperationsTest, DirectionAndMethodWithOneSlotOnlyStore)
{
    LoadABCD(1);
    Document.SetDirection(jdVertical);
    Document.SetMethod(rmLanczos);
    EXPECT_TRUE(Host.Calls.empty());
    EXPECT_EQ(Document.Settings().Direction, jdVertical);
    EXPECT_EQ(Document.Settings().Method, rmLanczos);
    Document.SetFrameOn(true);
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　画像再結合中・・・・・");
}

TEST_F(SlotOperationsTest, DraggingOntoAnotherSlotExchangesThemAndOntoItselfDoesNothing)
{
    LoadABCD(3);
    ClickInSlot(1);
    ASSERT_TRUE(Document.BeginDrag(Document.FClickPoint));
    Document.DropAt({Document.SlotEdge(1) - 10, 0});
    EXPECT_TRUE(Host.Calls.empty());

    Document.DropAt({Document.SlotEdge(2) - 10, 0});
    EXPECT_THAT(SlotColours(), ElementsAre(kRed, kBlue, kGreen));
    EXPECT_THAT(SlotNames(), ElementsAre("/p/a.jpg", "/p/c.jpg", "/p/b.jpg", "", "", ""));
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　ロード中・・・・・");
}

TEST_F(SlotOperationsTest, NoDragWithOnePicture)
{
    LoadABCD(1);
    EXPECT_FALSE(Document.BeginDrag({1900, 0}));
}

TEST_F(SlotOperationsTest, FrameWidthsSwitchTheFrameOnAndRebuildWithoutShowingTheBarFirst)
{
    LoadABCD(2);
    Document.SetFrameRect({10, 10, 10, 10});
    EXPECT_TRUE(Document.Settings().FrameOn);
    EXPECT_EQ(JoinedSize(), (TSize{220, 70}));
    EXPECT_EQ(Host.Calls.at(0), "frame on");
    EXPECT_EQ(Host.Calls.at(1), "status 　レイアウト変更中・・・・・");
    EXPECT_THAT(Host.CallsStartingWith("bar shown"), ElementsAre());
}

TEST_F(SlotOperationsTest, UnchangedFrameWidthsDoNothingEvenWithTheFrameOff)
{
    Document.SetFrameRect(EmptyRect);
    EXPECT_FALSE(Document.Settings().FrameOn);
    EXPECT_TRUE(Host.Calls.empty());
}

TEST_F(SlotOperationsTest, FrameWidthsWithoutPicturesAreStoredWithinBounds)
{
    Document.SetFrameRect({-5, 3, 20000, 10000});
    EXPECT_TRUE(Document.Settings().FrameOn);
    EXPECT_EQ(Document.Settings().FrameRect, (TRect{0, 3, 10000, 10000}));
    EXPECT_THAT(Host.Calls, ElementsAre("frame on"));
}

TEST_F(SlotOperationsTest, FillColourRebuildsOnlyWhereItShows)
{
    Document.SetMethod(rmBicubic);
    LoadABCD(2);
    Document.SetJoinColor(kFill);
    EXPECT_TRUE(Host.Calls.empty());
    Document.SetFrameOn(true);
    Document.SetFrameRect({1, 1, 1, 1});
    Host.Calls.clear();
    Document.SetJoinColor(kGrey);
    EXPECT_EQ(JoinedAt(0, 0), kGrey);
    EXPECT_THAT(Host.CallsStartingWith("status"), ElementsAre("status   [1]a.jpg  [2]b.jpg"));
}

}  // namespace
}  // namespace quilmo::test
