// What the view is given to show, and the slot edges that map view points back to slots.

#include "document_fixture.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

class PreviewTest : public DocumentTest {
protected:
    void SetUp() override { Host.View = {800, 350}; }
    void LoadTwoSquares() { Load({{200, 200, kRed, "a"}, {200, 200, kGreen, "b"}}); }
};

TEST_F(PreviewTest, APictureThatFitsIsShownItselfAndCentred)
{
    Document.LoadPictures([](int32_t, int32_t) {
        std::vector<TNamedPicture> pictures;
        pictures.push_back({SolidPicture(200, 200, kRed), "a", {}});
        pictures.push_back({SolidPicture(200, 200, kGreen), "b", {}});
        return pictures;
    });
    EXPECT_EQ(Host.Shown, &Document.Joined());
    EXPECT_THAT(Host.CallsStartingWith("preview"), ElementsAre("preview 400x200"));
    EXPECT_EQ(Document.SlotEdge(0), 400);
    EXPECT_EQ(Document.SlotEdge(1), 600);
}

TEST_F(PreviewTest, FastModeScalesTheJoinedPictureAndTheEdges)
{
    LoadTwoSquares();
    Document.SetPreviewMode(pmFast);
    EXPECT_THAT(Host.Calls, ElementsAre("preview 400x200 scaled"));
    EXPECT_EQ(Host.Shown, &Document.Joined());
    EXPECT_EQ(Document.SlotEdge(0), 400);  // 200 * 224 div 128 + 50
    EXPECT_EQ(Document.SlotEdge(1), 750);
}

TEST_F(PreviewTest, ResizingInFastModeMovesOnlyTheEdges)
{
    LoadTwoSquares();
    Document.SetPreviewMode(pmFast);
    Host.Calls.clear();
    Host.View = {1000, 350};
    Document.ViewResized();
    EXPECT_TRUE(Host.Calls.empty());
    EXPECT_EQ(Document.SlotEdge(0), 500);
    EXPECT_EQ(Document.SlotEdge(1), 850);
}

TEST_F(PreviewTest, SwitchingToPrettyWithoutPicturesOnlyTurnsScalingOff)
{
    Document.SetPreviewMode(pmFast);
    Host.Calls.clear();
    Document.SetPreviewMode(pmPretty);
    EXPECT_THAT(Host.Calls, ElementsAre("preview none"));
}

TEST_F(PreviewTest, ALargePictureIsReducedToTheFittedSize)
{
    Document.SetMethod(rmBilinear);
    Load({{400, 300, kRed, "a"}, {200, 100, kGreen, "b"}});
    Document.BuildComposite();
    EXPECT_THAT(Host.CallsStartingWith("preview"), ElementsAre("preview 800x240"));
    ASSERT_NE(Host.Shown, &Document.Joined());
    EXPECT_EQ(Document.Joined().GetWidth(), 1000);  // the joined picture keeps its size
    EXPECT_EQ(ColourAt(const_cast<TBigBitmap&>(*Host.Shown), 10, 10), kRed);
    EXPECT_EQ(Document.SlotEdge(0), 320);  // 400 * 800 div 1000
    EXPECT_EQ(Document.SlotEdge(1), 800);  // the right end of the shown picture
}

TEST_F(PreviewTest, SwitchingBackToPrettyReducesWithTheBarShown)
{
    Load({{1000, 100, kRed, "a"}});
    Document.SetPreviewMode(pmFast);
    Host.Calls.clear();
    Document.SetPreviewMode(pmPretty);
    EXPECT_EQ(Host.Calls.front(), "bar shown");
    EXPECT_THAT(Host.CallsStartingWith("preview"), ElementsAre("preview 800x80"));
    EXPECT_EQ(Host.CallsStartingWith("bar").back(), "bar hidden");
}

TEST_F(PreviewTest, ResizingInPrettyModeReducesQuietly)
{
    Load({{1000, 100, kRed, "a"}});
    Host.View = {500, 350};
    Document.ViewResized();
    EXPECT_THAT(Host.Calls, ElementsAre("preview 500x50"));
    Host.Calls.clear();
    Host.View = {2000, 350};
    Document.ViewResized();
    EXPECT_THAT(Host.Calls, ElementsAre("preview 1000x100"));
    EXPECT_EQ(Host.Shown, &Document.Joined());
    EXPECT_EQ(Document.SlotEdge(0), 1500);
}

TEST_F(PreviewTest, VerticalEdgesAreBottomEndsBelowTheCentringMargin)
{
    Document.SetDirection(jdVertical);
    Load({{100, 100, kRed, "a"}, {100, 50, kGreen, "b"}});
    EXPECT_EQ(Document.SlotEdge(0), 200);  // (350 - 150) div 2 + 100
    EXPECT_EQ(Document.SlotEdge(1), 250);
    Document.FClickPoint = {0, 201};
    EXPECT_EQ(Document.SlotAtPoint(), 1);
}

TEST_F(PreviewTest, AThinPictureStillShowsAsOnePixelAcross)
{
    Load({{2000, 1, kRed, "a"}});
    ASSERT_NE(Host.Shown, nullptr);
    EXPECT_EQ(TRecordingHost::SizeText(*Host.Shown), "800x1");
    EXPECT_TRUE(Host.Errors.empty());
}

}  // namespace
}  // namespace quilmo::test
