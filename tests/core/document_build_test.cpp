// The joined picture a build, a reversal and a gap change make: sizes, placements, the pixels
// at placement borders and the progress reports.

#include "document_fixture.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

class BuildTest : public DocumentTest {
protected:
    void SetUp() override { Host.View = {4000, 4000}; }  // previews at 1:1 unless a test shrinks it
};

TEST_F(BuildTest, HorizontalBilinearEnlargesToTheTallestPicture)
{
    Document.SetMethod(rmBilinear);
    Load({{400, 300, kRed, "a"}, {200, 100, kGreen, "b"}});
    EXPECT_EQ(JoinedSize(), (TSize{1000, 300}));
    EXPECT_EQ(Document.SlotRect(0), (TRect{0, 0, 400, 300}));
    EXPECT_EQ(Document.SlotRect(1), (TRect{400, 0, 1000, 300}));
    EXPECT_EQ(JoinedAt(399, 299), kRed);
    EXPECT_EQ(JoinedAt(400, 0), kGreen);
    EXPECT_EQ(JoinedAt(999, 299), kGreen);
}

TEST_F(BuildTest, SixTwelveMegapixelPhotosJoinSideBySideWithEveryMethod)
{
    // 24192 pixels wide: bands of 115 rows. The pictures are 1-bit ones of a single colour,
    // which keeps them small while waiting in their slots.
    const TColor colours[] = {kRed, kGreen, kBlue, kGrey, kFill, RGBColor(200, 200, 0)};
    Document.SetPreviewMode(pmFast);
    Document.LoadPictures([&](int32_t, int32_t) {
        std::vector<TNamedPicture> pictures;
        for (const TColor colour : colours) {
            auto picture = std::make_unique<TBigBitmap>();
            picture->SetBitmaps(4032, 3024, bbpf1bit);
            const TPaletteEntry entry{ColorRed(colour), ColorGreen(colour), ColorBlue(colour), 0};
            picture->SetPalette({entry, entry});
            pictures.push_back({std::move(picture), "photo", {}});
        }
        return pictures;
    });
    for (const TResampleMethod method : {rmOriginal, rmBilinear, rmBicubic, rmLagrange, rmLanczos}) {
        SCOPED_TRACE(method);
        Document.SetMethod(method);
        ASSERT_THAT(Host.Errors, ElementsAre());
        ASSERT_EQ(JoinedSize(), (TSize{24192, 3024}));
        ASSERT_EQ(Document.Joined().Band(0).GetHeight(), 115);
        for (int32_t i = 0; i < 6; ++i) {
            EXPECT_EQ(Document.SlotRect(i), (TRect{4032 * i, 0, 4032 * (i + 1), 3024}));
            for (const int32_t y : {0, 114, 115, 3023}) {
                EXPECT_EQ(JoinedAt(4032 * i, y), colours[i]) << i << "," << y;
                EXPECT_EQ(JoinedAt(4032 * i + 4031, y), colours[i]) << i << "," << y;
            }
        }
    }
}

TEST_F(BuildTest, OriginalSizeLeavesTheFillColourBesideSmallerPicturesAndInGaps)
{
    Document.SetGap(2);
    Document.SetJoinColor(kFill);
    Load({{400, 300, kRed, "a"}, {200, 100, kGreen, "b"}});
    EXPECT_EQ(JoinedSize(), (TSize{620, 300}));
    EXPECT_EQ(Document.SlotRect(1), (TRect{420, 0, 620, 100}));
    EXPECT_EQ(JoinedAt(400, 0), kFill);  // gap
    EXPECT_EQ(JoinedAt(419, 0), kFill);
    EXPECT_EQ(JoinedAt(420, 0), kGreen);
    EXPECT_EQ(JoinedAt(619, 99), kGreen);
    EXPECT_EQ(JoinedAt(420, 100), kFill);  // below the smaller picture
}

TEST_F(BuildTest, VerticalBicubicEnlargesToTheWidestPicture)
{
    Document.SetDirection(jdVertical);
    Document.SetMethod(rmBicubic);
    Load({{300, 200, kRed, "a"}, {100, 50, kGreen, "b"}});
    EXPECT_EQ(JoinedSize(), (TSize{300, 350}));
    EXPECT_EQ(Document.SlotRect(1), (TRect{0, 200, 300, 350}));
    EXPECT_EQ(JoinedAt(150, 199), kRed);
    EXPECT_EQ(JoinedAt(150, 200), kGreen);
}

TEST_F(BuildTest, FrameWidensTheJoinedPictureAndShiftsEveryPicture)
{
    Document.SetFrameRect({10, 20, 30, 40});
    Document.SetJoinColor(kFill);
    Document.SetMethod(rmBilinear);
    Load({{400, 300, kRed, "a"}, {200, 100, kGreen, "b"}});
    EXPECT_EQ(JoinedSize(), (TSize{1040, 360}));
    EXPECT_EQ(Document.SlotRect(0), (TRect{0, 0, 400, 300}));  // placements leave the frame out
    EXPECT_EQ(JoinedAt(9, 20), kFill);
    EXPECT_EQ(JoinedAt(10, 19), kFill);
    EXPECT_EQ(JoinedAt(10, 20), kRed);
    EXPECT_EQ(JoinedAt(410, 319), kGreen);
    EXPECT_EQ(JoinedAt(1010, 20), kFill);
    EXPECT_EQ(JoinedAt(410, 320), kFill);
}

TEST_F(BuildTest, TargetWidthsAreTruncated)
{
    Document.SetMethod(rmBilinear);
    Load({{100, 3, kRed, "a"}, {10, 10, kGreen, "b"}});
    EXPECT_EQ(Document.SlotRect(0), (TRect{0, 0, 333, 10}));
    EXPECT_EQ(JoinedSize(), (TSize{343, 10}));
}

TEST_F(BuildTest, ProgressOfAnOriginalSizeBuild)
{
    Load({{40, 30, kRed, "a"}});
    Document.BuildComposite();
    EXPECT_THAT(Host.CallsStartingWith("bar"),
                ElementsAre("bar step 3", "bar step 5", "bar at 100", "bar hidden"));
}

TEST_F(BuildTest, PrintOrientationFollowsTheShapeAndStaysForASquare)
{
    Load({{40, 30, kRed, "a"}});
    Document.SetFrameRect({0, 0, 0, 10});
    ASSERT_EQ(JoinedSize(), (TSize{40, 40}));
    EXPECT_THAT(Host.CallsStartingWith("orientation"), ElementsAre());
    Document.SetCount(2);
    EXPECT_THAT(Host.CallsStartingWith("orientation"), ElementsAre("orientation 0"));
    Document.SetDirection(jdVertical);
    EXPECT_THAT(Host.CallsStartingWith("orientation"),
                ElementsAre("orientation 0", "orientation 1"));
}

TEST_F(BuildTest, RaisingTheGapMovesEachPictureByItsShareOfTheWidening)
{
    Document.SetGap(1);
    Document.SetJoinColor(kFill);
    Load({{100, 50, kRed, "a"}, {100, 50, kGreen, "b"}, {100, 50, kBlue, "c"}});
    ASSERT_EQ(JoinedSize(), (TSize{320, 50}));
    Document.SetGap(3);
    EXPECT_EQ(JoinedSize(), (TSize{360, 50}));
    EXPECT_EQ(Document.SlotRect(1), (TRect{130, 0, 230, 50}));
    EXPECT_EQ(Document.SlotRect(2), (TRect{260, 0, 360, 50}));
    EXPECT_EQ(JoinedAt(99, 0), kRed);
    EXPECT_EQ(JoinedAt(100, 0), kFill);
    EXPECT_EQ(JoinedAt(129, 49), kFill);
    EXPECT_EQ(JoinedAt(130, 49), kGreen);
    EXPECT_EQ(JoinedAt(259, 0), kFill);
    EXPECT_EQ(JoinedAt(260, 0), kBlue);
    EXPECT_EQ(Document.LastGap(), 3);
    EXPECT_THAT(Host.CallsStartingWith("bar"),
                ElementsAre("bar shown", "bar at 4", "bar at 8", "bar at 12", "bar at 30",
                            "bar at 100", "bar hidden"));
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　間隔変更中・・・・・");
}

TEST_F(BuildTest, LoweringTheGapInAVerticalJoinKeepsTheFrame)
{
    Document.SetDirection(jdVertical);
    Document.SetGap(2);
    Document.SetFrameRect({5, 6, 7, 8});
    Document.SetJoinColor(kFill);
    Load({{30, 20, kRed, "a"}, {30, 20, kGreen, "b"}});
    ASSERT_EQ(JoinedSize(), (TSize{42, 74}));
    Document.SetGap(0);
    EXPECT_EQ(JoinedSize(), (TSize{42, 54}));
    EXPECT_EQ(Document.SlotRect(1), (TRect{0, 20, 30, 40}));
    EXPECT_EQ(JoinedAt(5, 25), kRed);
    EXPECT_EQ(JoinedAt(5, 26), kGreen);
    EXPECT_EQ(JoinedAt(34, 45), kGreen);
    EXPECT_EQ(JoinedAt(35, 45), kFill);
    EXPECT_EQ(JoinedAt(5, 46), kFill);
}

TEST_F(BuildTest, GapChangesWithOneSlotOnlyRememberTheGap)
{
    Load({{30, 20, kRed, "a"}});
    Document.SetGap(4);
    EXPECT_EQ(Document.LastGap(), 4);
    EXPECT_TRUE(Host.Calls.empty());
    EXPECT_EQ(JoinedSize(), (TSize{30, 20}));
}

TEST_F(BuildTest, ReversalRearrangesWithTheCurrentGap)
{
    Document.SetGap(1);
    Document.SetJoinColor(kFill);
    Load({{400, 300, kRed, "a.jpg"}, {600, 200, kGreen, "b.jpg"}});
    Document.ReverseOrder();
    EXPECT_EQ(Document.SlotRect(0), (TRect{0, 0, 600, 200}));
    EXPECT_EQ(Document.SlotRect(1), (TRect{610, 0, 1010, 300}));
    EXPECT_EQ(JoinedSize(), (TSize{1010, 300}));
    EXPECT_EQ(JoinedAt(599, 199), kGreen);
    EXPECT_EQ(JoinedAt(0, 200), kFill);
    EXPECT_EQ(JoinedAt(600, 0), kFill);
    EXPECT_EQ(JoinedAt(610, 299), kRed);
    EXPECT_THAT(SlotColours(), ElementsAre(kGreen, kRed));
    EXPECT_EQ(Document.SlotName(0), "b.jpg");
    EXPECT_EQ(Host.Status, "  [1]b.jpg  [2]a.jpg");
    EXPECT_THAT(
        Host.CallsStartingWith("bar"),
        ElementsAre("bar shown", "bar at 4", "bar at 8", "bar at 30", "bar at 100", "bar hidden"));
    EXPECT_THAT(Host.CallsStartingWith("orientation"), ElementsAre());
}

}  // namespace
}  // namespace quilmo::test
