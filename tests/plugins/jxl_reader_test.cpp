// The JPEG XL plug-in's decoder on pictures libjxl encodes: lossless colours, grey and alpha, an
// orientation, lossy, damage.

#include <gtest/gtest.h>

#include "format_encoders.h"
#include "plugins/jxl/jxl_reader.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

void ExpectDecodes(const char* caseName, const TBytes& file, int32_t width, const std::vector<TColor>& colours,
                   int tolerance = 0)
{
    SCOPED_TRACE(caseName);
    TBitmap bitmap;
    ASSERT_EQ(DecodeInto(spi::DecodeJxl, file, bitmap), 0);
    ExpectColours(bitmap, width, colours, tolerance);
}

}  // namespace

TEST(JxlReader, LosslessColoursGreyAndAlpha)
{
    for (int channels = 1; channels <= 4; ++channels) {
        const TSamplePicture picture = MakeSamplePicture(9, 7, channels);
        const std::string name = "lossless" + std::to_string(channels);
        ExpectDecodes(name.c_str(), EncodeJxl(picture), 9, ExpectedColours(picture));
    }
}

TEST(JxlReader, OrientationAndLossyPictures)
{
    const TSamplePicture picture = MakeSamplePicture(10, 6, 3);
    ExpectDecodes("orientation6", EncodeJxl(picture, 0, JXL_ORIENT_ROTATE_90_CW), 6, ExpectedColours(picture, 6));
    ExpectDecodes("orientation7", EncodeJxl(picture, 0, JXL_ORIENT_ANTI_TRANSPOSE), 6, ExpectedColours(picture, 7));
    const TSamplePicture large = MakeSamplePicture(64, 40, 3);
    const TBytes lossy = EncodeJxl(large, 1.0f);
    ExpectDecodes("lossy", lossy, 64, ExpectedColours(LibjxlDecode(lossy)));
}

TEST(JxlReader, RefusesWhatItCannotRead)
{
    TBitmap bitmap;
    EXPECT_EQ(DecodeInto(spi::DecodeJxl, {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, bitmap), 2);
    const TBytes file = EncodeJxl(MakeSamplePicture(64, 40, 4), 1.0f);
    EXPECT_EQ(DecodeInto(spi::DecodeJxl, TBytes(file.begin(), file.begin() + file.size() / 2), bitmap),
              3);
    ExpectDamageHandled(spi::DecodeJxl, file);
}
