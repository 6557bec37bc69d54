// The document in other colours than sRGB: the joined picture is in the profile its pictures
// share, the view shows it in sRGB, and the fill colour is converted wherever it is painted.

#include "color/color_transform.h"
#include "color/profile_building.h"
#include "document_fixture.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

const TColorProfile kP3 = ProfileFromPrimaries({{0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}},
                                               kSRGBCurve);
constexpr TColor kNumbers = RGBColor(180, 60, 70);  // a colour as a P3 picture stores it

TColor Converted(TColor colour, const TColorProfile& from, const TColorProfile& to)
{
    uint8_t pixel[3] = {ColorBlue(colour), ColorGreen(colour), ColorRed(colour)};
    if (const auto transform = ColorTransform(from, to)) transform->Apply(pixel, pixel, 1);
    return RGBColor(pixel[2], pixel[1], pixel[0]);
}

class DocumentColors : public DocumentTest {
protected:
    void LoadTaggedAndPlain()
    {
        Document.LoadPictures([](int32_t, int32_t) {
            std::vector<TNamedPicture> pictures;
            pictures.push_back({SolidPicture(20, 10, kNumbers), "p3", kP3});
            pictures.push_back({SolidPicture(20, 10, kGreen), "plain", {}});
            return pictures;
        });
    }
    TColor ShownAt(int32_t x, int32_t y) { return ColourAt(const_cast<TBigBitmap&>(*Host.Shown), x, y); }
};

}  // namespace

TEST_F(DocumentColors, TheJoinIsInTheSharedProfileAndShownInSRGB)
{
    Document.SetJoinColor(kFill);
    LoadTaggedAndPlain();
    EXPECT_EQ(Document.JoinedProfile(), kP3);
    EXPECT_EQ(JoinedAt(0, 0), kNumbers);
    EXPECT_EQ(JoinedAt(20, 0), ConvertColor(kGreen, kP3));
    ASSERT_TRUE(Host.Shown);
    EXPECT_NE(Host.Shown, &Document.Joined());
    EXPECT_EQ(ShownAt(0, 0), Converted(kNumbers, kP3, {}));
    EXPECT_EQ(ShownAt(20, 0), Converted(ConvertColor(kGreen, kP3), kP3, {}));

    // A gap moves the pictures as they are and paints the fill in the joined picture's colours.
    Document.SetGap(1);
    EXPECT_EQ(Document.JoinedProfile(), kP3);
    EXPECT_EQ(JoinedAt(0, 0), kNumbers);
    EXPECT_EQ(JoinedAt(25, 0), ConvertColor(kFill, kP3));
    EXPECT_EQ(ShownAt(25, 0), Converted(ConvertColor(kFill, kP3), kP3, {}));
    Document.ReverseOrder();
    EXPECT_EQ(JoinedAt(0, 0), ConvertColor(kGreen, kP3));
    EXPECT_EQ(JoinedAt(30, 0), kNumbers);
}

TEST_F(DocumentColors, TheSRGBChoiceRejoinsInSRGBAndTheFastViewShowsAnSRGBCopy)
{
    LoadTaggedAndPlain();
    Document.SetColorSpace(TColorSpaceChoice::SRGB);
    EXPECT_TRUE(Document.JoinedProfile().IsSRGB());
    EXPECT_EQ(JoinedAt(0, 0), Converted(kNumbers, kP3, {}));
    EXPECT_EQ(JoinedAt(20, 0), kGreen);
    EXPECT_EQ(Host.Shown, &Document.Joined());

    Document.SetColorSpace(TColorSpaceChoice::Auto);
    Document.SetPreviewMode(pmFast);
    EXPECT_EQ(Document.JoinedProfile(), kP3);
    ASSERT_TRUE(Host.Shown);
    EXPECT_TRUE(Host.ShownScaled);
    EXPECT_NE(Host.Shown, &Document.Joined());
    EXPECT_EQ(ShownAt(0, 0), Converted(kNumbers, kP3, {}));
    // Without profiles the choice changes nothing and rebuilds nothing.
    Document.ClearAll();
    Load({{20, 10, kRed, "a"}, {20, 10, kBlue, "b"}});
    Document.SetColorSpace(TColorSpaceChoice::SRGB);
    EXPECT_TRUE(Host.Calls.empty());
    EXPECT_EQ(JoinedAt(0, 0), kRed);
}
