// A command that fails leaves the document as it was and tells the host; commands that arrive
// while another one runs do not disturb it.

#include <stdexcept>

#include "document_fixture.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kTooBig = "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits";

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
        EXPECT_EQ(Host.Calls.back(), "error interrupted");
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
    Load({{15000, 10, kRed, "a"}});
    Document.SetCount(2);
    EXPECT_THAT(Host.Errors, ElementsAre(kTooBig));
    EXPECT_EQ(Document.Count(), 1);
    EXPECT_EQ(Document.LastCount(), 1);
    EXPECT_EQ(Document.Slot(1), nullptr);
    EXPECT_EQ(Document.SlotName(1), "");
    EXPECT_EQ(JoinedSize(), (TSize{15000, 10}));
    EXPECT_EQ(Document.SlotRect(0), (TRect{0, 0, 15000, 10}));
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
    Load({{100, 10, kRed, "a"}});
    Host.Status = "before";
    Document.LoadPictures([](int32_t start, int32_t room) {
        EXPECT_EQ(start, 1);
        EXPECT_EQ(room, 5);
        std::vector<TNamedPicture> pictures;
        pictures.push_back({SolidPicture(21700, 10, kGreen), "wide"});
        return pictures;
    });
    EXPECT_THAT(Host.Errors, ElementsAre(kTooBig));
    EXPECT_EQ(Host.Status, "before");
    EXPECT_EQ(Document.Count(), 1);
    EXPECT_EQ(Document.Slot(1), nullptr);
}

TEST_F(FailureTest, AFrameThatMakesThePictureTooWideKeepsTheDocument)
{
    Load({{12000, 10, kRed, "a"}});
    Document.SetFrameRect({10000, 0, 0, 0});
    EXPECT_THAT(Host.Errors, ElementsAre(kTooBig));
    EXPECT_EQ(JoinedSize(), (TSize{12000, 10}));
}

TEST_F(FailureTest, AnEmptyPictureCannotBeJoined)
{
    Document.LoadPictures([](int32_t, int32_t) {
        std::vector<TNamedPicture> pictures;
        pictures.push_back({std::make_unique<TBigBitmap>(), "empty"});
        return pictures;
    });
    EXPECT_THAT(Host.Errors, ElementsAre("Cannot join an empty picture"));
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

TEST_F(FailureTest, AFailedGapChangeKeepsThePlacementsAndALaterBuildCatchesUp)
{
    LoadAbc();
    FailWhileStatusIs("　間隔変更中・・・・・");
    Document.SetGap(3);
    ExpectAbcUntouched();
    EXPECT_EQ(Document.LastGap(), 1);

    Host.OnMessages = nullptr;
    Document.SetMethod(rmBilinear);  // rebuilds with the gap the spin shows
    EXPECT_EQ(JoinedSize(), (TSize{360, 50}));
    Document.SetGap(2);
    EXPECT_EQ(JoinedSize(), (TSize{340, 50}));
    EXPECT_EQ(Document.SlotRect(2), (TRect{240, 0, 340, 50}));
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
