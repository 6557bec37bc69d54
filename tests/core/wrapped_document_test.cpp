// Documents whose slots wrap into rows or columns: hit-testing in two dimensions, drag exchange,
// and reversal and gap changes that give what a fresh build gives.

#include "document_fixture.h"

namespace quilmo::test {
namespace {

using ::testing::ElementsAre;

class WrappedDocumentTest : public DocumentTest {
protected:
    void SetUp() override { Host.View = {800, 350}; }

    void Wrap(TJoinSettings settings)
    {
        settings.JoinColor = kFill;
        Document.SetSettings(settings);
    }
    // The point at (x, y) of the joined picture, in view coordinates of a 1:1 preview.
    void ClickAtJoined(int32_t x, int32_t y)
    {
        ClickAt(x + (Host.View.Width - JoinedSize().Width) / 2,
                y + (Host.View.Height - JoinedSize().Height) / 2);
    }
};

TEST_F(WrappedDocumentTest, ATwoByTwoPreviewFindsSlotsByRowAndColumn)
{
    TJoinSettings settings;
    settings.Wrap = 2;
    settings.Gap = 2;
    Wrap(settings);
    Load({{100, 100, kRed, "a"}, {100, 100, kGreen, "b"}, {100, 100, kBlue, "c"},
          {50, 50, kGrey, "d"}});
    ASSERT_EQ(JoinedSize(), (TSize{220, 220}));
    const auto slotAt = [this](int32_t x, int32_t y) {
        ClickAtJoined(x, y);
        return Document.SlotAtPoint();
    };
    EXPECT_EQ(slotAt(50, 150), 2);
    EXPECT_EQ(slotAt(109, 50), 0);   // the first half of the gap belongs to the left picture
    EXPECT_EQ(slotAt(110, 50), 1);   // the second to the right one
    EXPECT_EQ(slotAt(50, 110), 2);   // and so between rows
    EXPECT_EQ(slotAt(200, 200), 3);  // beside the smaller picture: the nearest of its row
    EXPECT_EQ(slotAt(400, -100), 1);

    // Dragging the second picture of the top row onto the first of the bottom row.
    ClickAtJoined(150, 50);
    ASSERT_TRUE(Document.BeginDrag(Document.FClickPoint));
    ClickAtJoined(50, 150);
    Document.DropAt(Document.FClickPoint);
    EXPECT_THAT(SlotColours(), ElementsAre(kRed, kBlue, kGreen, kGrey));
    EXPECT_EQ(JoinedAt(0, 120), kGreen);

    // Scaled to 508 x 350 (203 / 128) from x 146 with a frame of 100 on the left, the area of
    // the bottom row's second picture starts at (100 + 120 - 10) * 203 div 128 + 146 = 479.
    Document.SetFrameRect({100, 0, 0, 0});
    Document.SetPreviewMode(pmFast);
    ClickAt(479, 200);
    EXPECT_EQ(Document.SlotAtPoint(), 3);
    ClickAt(478, 200);
    EXPECT_EQ(Document.SlotAtPoint(), 2);
}

struct TRebuildCase {
    const char* Name;
    int32_t Wrap;
    TResampleMethod Method;
    TJoinDirection Direction;
    TJoinAlign Align;
};

class WrappedRearrangeTest : public WrappedDocumentTest,
                             public ::testing::WithParamInterface<TRebuildCase> {
protected:
    TJoinSettings Settings() const
    {
        TJoinSettings settings;
        settings.Wrap = GetParam().Wrap;
        settings.Method = GetParam().Method;
        settings.Direction = GetParam().Direction;
        settings.Align = GetParam().Align;
        settings.Gap = 1;
        settings.FrameOn = true;
        settings.FrameRect = {3, 4, 5, 6};
        return settings;
    }

    // The document must hold what a fresh build of solids under settings gives.
    void ExpectFreshBuild(const TJoinSettings& settings, const std::vector<TSolid>& solids)
    {
        TRecordingHost host;
        host.View = Host.View;
        TSlotDocument fresh(host);
        TJoinSettings coloured = settings;
        coloured.JoinColor = kFill;
        fresh.SetSettings(coloured);
        fresh.LoadPictures([&](int32_t, int32_t) {
            std::vector<TNamedPicture> pictures;
            for (const TSolid& s : solids)
                pictures.push_back({SolidPicture(s.Width, s.Height, s.Colour), s.Name, {}});
            return pictures;
        });
        EXPECT_EQ(PixelBytes(Document.Joined()), PixelBytes(fresh.Joined()));
        for (int32_t i = 0; i < kSlotCount; ++i) EXPECT_EQ(Document.SlotRect(i), fresh.SlotRect(i));
    }

    const std::vector<TSolid> FSolids{
        {100, 60, kRed, "a"}, {50, 40, kGreen, "b"}, {80, 30, kBlue, "c"}};
};

TEST_P(WrappedRearrangeTest, ReversingGivesWhatBuildingTheReversedOrderGives)
{
    Wrap(Settings());
    Load(FSolids);
    Document.ReverseOrder();
    EXPECT_TRUE(Host.Errors.empty());
    ExpectFreshBuild(Settings(), {FSolids.rbegin(), FSolids.rend()});
}

TEST_P(WrappedRearrangeTest, ChangingTheGapGivesWhatBuildingWithItGives)
{
    Wrap(Settings());
    Load(FSolids);
    Document.SetGap(4);
    EXPECT_TRUE(Host.Errors.empty());
    EXPECT_EQ(Document.LastGap(), 4);
    TJoinSettings wider = Settings();
    wider.Gap = 4;
    ExpectFreshBuild(wider, FSolids);
    EXPECT_EQ(Host.CallsStartingWith("status").front(), "status 　間隔変更中・・・・・");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WrappedRearrangeTest,
    ::testing::Values(TRebuildCase{"RowsAtOriginalSize", 2, rmOriginal, jdHorizontal, jaStart},
                      TRebuildCase{"CentredColumns", 2, rmOriginal, jdVertical, jaCenter},
                      TRebuildCase{"ResampledRows", 2, rmBicubic, jdHorizontal, jaStart},
                      TRebuildCase{"ResampledColumns", 1, rmBilinear, jdVertical, jaEnd},
                      TRebuildCase{"OneLineAlignedToTheEnd", 0, rmOriginal, jdHorizontal, jaEnd}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quilmo::test
