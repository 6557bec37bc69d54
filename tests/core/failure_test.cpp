// A command that fails leaves the document as it was and tells the host; commands that arrive
// while another one runs do not disturb it.

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "document_fixture.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kTooBig = "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits";
// Two of these side by side are wider than a 24-bit big bitmap can be (2,796,202 pixels).
constexpr int32_t kHalfTooWide = 1400000;
// One pixel too wide once framed by 10000 pixels on either side.
constexpr int32_t kFrameTooWide = 2796202 - 20000 + 1;
// Three of these fit side by side, but not with two gaps of 500 pixels.
constexpr int32_t kGapTooWide = 932000;

class FailureTest : public DocumentTest {
protected:
    void SetUp() override { Host.View = {4000, 4000}; }

    // Makes the next progress report under status fail, as an error inside the host would.
    void FailWhileStatusIs(const std::string& status)
    {
        Host.OnMessages = [this, status] {
            if (Host.Status == status) throw std::runtime_error("interrupted");
        };
    }

    void ExpectAbcUntouched()
    {
        EXPECT_EQ(Document.Count(), 3);
        EXPECT_THAT(SlotColours(), ElementsAre(kRed, kGreen, kBlue));
        EXPECT_EQ(Document.SlotName(0), "a");
        EXPECT_EQ(Document.SlotRect(1), (TRect{110, 0, 210, 50}));
        EXPECT_EQ(JoinedSize(), (TSize{320, 50}));
        EXPECT_EQ(JoinedAt(0, 0), kRed);
        EXPECT_EQ(JoinedAt(319, 49), kBlue);
        EXPECT_EQ(Host.Status, "  [1]a  [2]b  [3]c");
        EXPECT_THAT(Host.Errors, ElementsAre("interrupted"));
        EXPECT_THAT(Host.CallsStartingWith("bar hidden"), ElementsAre("bar hidden"));
    }
    void LoadAbc()
    {
        Document.SetGap(1);
        Load({{100, 50, kRed, "a"}, {100, 50, kGreen, "b"}, {100, 50, kBlue, "c"}});
    }
};

TEST_F(FailureTest, ATooWideJoinKeepsTheDocument)
{
    Load({{kHalfTooWide, 1, kRed, "a"}});
    Document.SetCount(2);
    EXPECT_THAT(Host.Errors, ElementsAre(kTooBig));
    EXPECT_EQ(Document.Count(), 1);
    EXPECT_EQ(Document.LastCount(), 1);
    EXPECT_EQ(Document.Slot(1), nullptr);
    EXPECT_EQ(Document.SlotName(1), "");
    EXPECT_EQ(JoinedSize(), (TSize{kHalfTooWide, 1}));
    EXPECT_EQ(Document.SlotRect(0), (TRect{0, 0, kHalfTooWide, 1}));
    EXPECT_EQ(Host.Status, "  [1]a");
    EXPECT_THAT(Host.CallsStartingWith("count"), ElementsAre());
    EXPECT_THAT(Host.CallsStartingWith("enable"), ElementsAre());
    EXPECT_EQ(Host.CallsStartingWith("bar").back(), "bar hidden");

    // The count arrow works again afterwards: nothing was left half done.
    Document.SetCount(0);
    EXPECT_EQ(Document.Count(), 0);
}

TEST_F(FailureTest, ATooWideLoadKeepsTheSlotsAndTheStatusFromBefore)
{
    Load({{kHalfTooWide, 1, kRed, "a"}});
    Host.Status = "before";
    Document.LoadPictures([](int32_t start, int32_t room) {
        EXPECT_EQ(start, 1);
        EXPECT_EQ(room, 5);
        std::vector<TNamedPicture> pictures;
        pictures.push_back({SolidPicture(kHalfTooWide, 1, kGreen), "wide", {}});
        return pictures;
    });
    EXPECT_THAT(Host.Errors, ElementsAre(kTooBig));
    EXPECT_EQ(Host.Status, "before");
    EXPECT_EQ(Document.Count(), 1);
    EXPECT_EQ(Document.Slot(1), nullptr);
}

TEST_F(FailureTest, AFrameThatMakesThePictureTooWideKeepsTheDocument)
{
    Load({{kFrameTooWide, 1, kRed, "a"}});
    Document.SetFrameRect({10000, 0, 10000, 0});
    EXPECT_THAT(Host.Errors, ElementsAre(kTooBig));
    EXPECT_EQ(JoinedSize(), (TSize{kFrameTooWide, 1}));
}

TEST_F(FailureTest, AnEmptyPictureCannotBeJoined)
{
    Document.LoadPictures([](int32_t, int32_t) {
        std::vector<TNamedPicture> pictures;
        pictures.push_back({std::make_unique<TBigBitmap>(), "empty", {}});
        return pictures;
    });
    EXPECT_THAT(Host.Errors, ElementsAre("空の画像は連結できません"));
    EXPECT_EQ(Document.Count(), 0);
    EXPECT_EQ(Document.Slot(0), nullptr);
}

TEST_F(FailureTest, AFailedReversalKeepsTheOrderAndThePicture)
{
    LoadAbc();
    FailWhileStatusIs("　画像入れ替え中・・・・・");
    Document.ReverseOrder();
    ExpectAbcUntouched();
}

TEST_F(FailureTest, AFailedGapChangePutsTheGapBackAndLaterChangesStartFromIt)
{
    LoadAbc();
    FailWhileStatusIs("　間隔変更中・・・・・");
    Document.SetGap(3);
    ExpectAbcUntouched();
    EXPECT_EQ(Document.LastGap(), 1);
    EXPECT_EQ(Document.RequestedSettings().Gap, 1);
    ASSERT_EQ(Host.Restored.size(), 1u);
    EXPECT_EQ(Host.Restored[0].Gap, 1);

    Host.OnMessages = nullptr;
    Document.SetMethod(rmBilinear);
    EXPECT_EQ(JoinedSize(), (TSize{320, 50}));
    Document.SetGap(2);
    EXPECT_EQ(JoinedSize(), (TSize{340, 50}));
    EXPECT_EQ(Document.SlotRect(2), (TRect{240, 0, 340, 50}));
}

TEST_F(FailureTest, AReversalAfterAFailedGapChangeUsesTheGapThePictureWasBuiltWith)
{
    const auto reversedAfter = [](bool failedGapChange) {
        TRecordingHost host;
        TSlotDocument document(host);
        document.LoadPictures([](int32_t, int32_t) {
            std::vector<TNamedPicture> pictures;
            for (const TColor colour : {kRed, kGreen, kBlue})
                pictures.push_back({SolidPicture(kGapTooWide, 1, colour), "p", {}});
            return pictures;
        });
        if (failedGapChange) document.SetGap(50);  // 1000 pixels more: too wide
        EXPECT_EQ(host.Errors.size(), failedGapChange ? 1u : 0u);
        document.ReverseOrder();
        return std::vector<TColor>{ColourAt(document.Joined(), 0, 0),
                                   ColourAt(document.Joined(), kGapTooWide, 0),
                                   ColourAt(document.Joined(), 3 * kGapTooWide - 1, 0)};
    };
    EXPECT_THAT(reversedAfter(true), ElementsAre(kBlue, kGreen, kRed));
    EXPECT_EQ(reversedAfter(true), reversedAfter(false));
}

TEST_F(FailureTest, AFailedFrameChangePutsTheFrameSwitchAndWidthsBack)
{
    Load({{kFrameTooWide, 1, kRed, "a"}});
    Document.SetFrameRect({10000, 0, 10000, 0});
    EXPECT_THAT(Host.CallsStartingWith("frame"), ElementsAre("frame on"));
    ASSERT_EQ(Host.Restored.size(), 1u);
    EXPECT_FALSE(Host.Restored[0].FrameOn);
    EXPECT_EQ(Host.Restored[0].FrameRect, EmptyRect);
    EXPECT_EQ(Document.RequestedSettings(), Document.Settings());

    // Switching the frame on afterwards uses the old widths: nothing to rebuild.
    Document.SetFrameOn(true);
    EXPECT_EQ(JoinedSize(), (TSize{kFrameTooWide, 1}));
    EXPECT_EQ(Host.Errors.size(), 1u);
}

TEST_F(FailureTest, AVeryTallVerticalJoinIsConsistentEvenWhereEdgeProductsPass32Bits)
{
    Document.SetDirection(jdVertical);
    Host.View = {800, 350};
    Document.LoadPictures([](int32_t, int32_t room) {
        std::vector<TNamedPicture> pictures;
        for (int32_t i = 0; i < room; ++i)
            pictures.push_back({SolidPicture(1, 3000000, kRed), "tall", {}});
        return pictures;
    });
    EXPECT_TRUE(Host.Errors.empty());
    EXPECT_EQ(Document.Count(), 6);
    EXPECT_EQ(JoinedSize(), (TSize{1, 18000000}));
    // Shown 350 high: 3000000 x 350 and more pass 32 bits.
    EXPECT_EQ(Document.SlotEdge(0), 58);
    EXPECT_EQ(Document.SlotEdge(5), 350);
}

TEST_F(FailureTest, MissingPicturesAndBadSlotsChangeNothing)
{
    Load({{10, 10, kRed, "a"}, {10, 10, kGreen, "b"}});
    Document.ReplaceAtClick({nullptr, "x", {}});
    Document.InsertAfterClick({nullptr, "x", {}});
    Document.PasteFromClipboard(nullptr);
    Document.PasteFromCopyBuffer(nullptr, {});
    Document.ExchangeSlots(0, 2);
    Document.ExchangeSlots(-1, 1);
    Document.ExchangeSlots(1, 1);
    EXPECT_TRUE(Host.Calls.empty());
    EXPECT_THAT(SlotColours(), ElementsAre(kRed, kGreen));
    EXPECT_THAT(SlotNames(), ElementsAre("a", "b", "", "", "", ""));
}

TEST_F(FailureTest, TheHostIsToldWhileACommandRuns)
{
    LoadAbc();
    Host.BusyStates.clear();
    std::vector<bool> busyDuringBuild;
    Host.OnMessages = [&] { busyDuringBuild.push_back(Document.Busy()); };
    Document.SetDirection(jdVertical);
    EXPECT_THAT(Host.BusyStates, ElementsAre(true, false));
    EXPECT_FALSE(busyDuringBuild.empty());
    EXPECT_EQ(std::count(busyDuringBuild.begin(), busyDuringBuild.end(), false), 0);
    EXPECT_FALSE(Document.Busy());
}

TEST_F(FailureTest, WhileHeldSettingsAndResizesWaitAndAreCarriedOutTogetherOnRelease)
{
    LoadAbc();
    Host.BusyStates.clear();
    Document.HoldPendingWork();
    Document.SetDirection(jdVertical);
    Document.SetMethod(rmBilinear);
    Document.ViewResized();
    // The command of the window's that holds the document still works on the slots.
    Document.ReverseOrder();
    EXPECT_THAT(Host.BusyStates, ElementsAre(true, false));
    EXPECT_EQ(Document.Settings().Direction, jdHorizontal);
    EXPECT_EQ(JoinedSize(), (TSize{320, 50}));
    Document.ReleasePendingWork();
    // One build for both settings, then the redraw for the view.
    EXPECT_THAT(Host.BusyStates, ElementsAre(true, false, true, false, true, false));
    EXPECT_EQ(JoinedSize(), (TSize{100, 170}));
    EXPECT_THAT(SlotColours(), ElementsAre(kBlue, kGreen, kRed));
}

TEST_F(FailureTest, AGapChangeDuringABuildReSpacesAfterItWithoutRebuilding)
{
    LoadAbc();
    bool once = true;
    Host.OnMessages = [&] {
        if (!std::exchange(once, false)) return;
        Document.SetGap(3);
    };
    Document.SetMethod(rmBilinear);
    EXPECT_THAT(Host.CallsStartingWith("status 　"),
                ElementsAre("status 　画像再結合中・・・・・", "status 　間隔変更中・・・・・"));
    EXPECT_EQ(JoinedSize(), (TSize{360, 50}));
    EXPECT_EQ(Document.Settings().Gap, 3);
    EXPECT_EQ(Document.Settings().Method, rmBilinear);
}

TEST_F(FailureTest, CommandsDuringABuildWaitOrAreIgnored)
{
    LoadAbc();
    bool once = true;
    Host.OnMessages = [&] {
        if (!once) return;
        once = false;
        Document.ClearAll();
        Document.SetCount(5);
        Document.SetDirection(jdVertical);
    };
    Document.SetMethod(rmBilinear);
    EXPECT_EQ(Document.Count(), 3);
    EXPECT_THAT(Host.CallsStartingWith("count"), ElementsAre("count 3"));
    EXPECT_EQ(Document.Settings().Direction, jdVertical);
    EXPECT_EQ(JoinedSize(), (TSize{100, 170}));
    EXPECT_TRUE(Host.Errors.empty());
}

}  // namespace
}  // namespace quilmo::test
