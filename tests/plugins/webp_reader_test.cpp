// The WebP plug-in's decoder on pictures libwebp makes: lossless and lossy, with alpha, animated,
// with an EXIF orientation, and damaged.

#include <gtest/gtest.h>

#include "format_encoders.h"
#include "plugins/webp/webp_reader.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

std::unique_ptr<TBitmap> Decode(const char* caseName, const TBytes& file)
{
    auto bitmap = std::make_unique<TBitmap>();
    EXPECT_EQ(DecodeInto(spi::DecodeWebp, file, *bitmap), 0) << caseName;
    return bitmap;
}

}  // namespace

TEST(WebpReader, LosslessPicturesKeepEveryPixel)
{
    const TSamplePicture rgb = MakeSamplePicture(7, 5, 3);
    ExpectColours(*Decode("lossless", EncodeWebpLossless(rgb)), 7, ExpectedColours(rgb));
    const TSamplePicture rgba = MakeSamplePicture(6, 4, 4);
    ExpectColours(*Decode("lossless_alpha", EncodeWebpLossless(rgba)), 6, ExpectedColours(rgba));
}

TEST(WebpReader, LossyPicturesAsLibwebpDecodesThem)
{
    const TSamplePicture rgb = MakeSamplePicture(33, 17, 3);
    const TBytes file = EncodeWebpLossy(rgb);
    const auto bitmap = Decode("lossy", file);
    ExpectColours(*bitmap, 33, ExpectedColours(LibwebpDecode(file)));
    // And near the picture that was encoded.
    ExpectColours(*bitmap, 33, ExpectedColours(rgb), 24);
}

TEST(WebpReader, AnAnimationGivesItsFirstFrame)
{
    const TSamplePicture first = MakeSamplePicture(8, 6, 4), second = MakeSamplePicture(8, 6, 3);
    ExpectColours(*Decode("animation", WebpAnimation({first, second})), 8, ExpectedColours(first));
}

TEST(WebpReader, TheExifOrientationIsApplied)
{
    const TSamplePicture rgb = MakeSamplePicture(5, 3, 3);
    ExpectColours(*Decode("orientation6", WebpWithOrientation(EncodeWebpLossless(rgb), 6, false)), 3, ExpectedColours(rgb, 6));
    const TSamplePicture rgba = MakeSamplePicture(5, 3, 4);
    ExpectColours(*Decode("orientation3_alpha", WebpWithOrientation(EncodeWebpLossless(rgba), 3, true)), 5,
                  ExpectedColours(rgba, 3));
}

TEST(WebpReader, RefusesWhatItCannotRead)
{
    TBitmap bitmap;
    EXPECT_EQ(DecodeInto(spi::DecodeWebp, {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
                         bitmap),
              2);
    const TBytes lossy = EncodeWebpLossy(MakeSamplePicture(40, 30, 3));
    EXPECT_EQ(DecodeInto(spi::DecodeWebp, TBytes(lossy.begin(), lossy.end() - 20), bitmap), 3);
    ExpectDamageHandled(spi::DecodeWebp, lossy);
    ExpectDamageHandled(spi::DecodeWebp, WebpWithOrientation(EncodeWebpLossless(MakeSamplePicture(9, 9, 4)), 6, false));
    ExpectDamageHandled(spi::DecodeWebp, WebpAnimation({MakeSamplePicture(8, 6, 4), MakeSamplePicture(8, 6, 3)}));
}

TEST(WebpReader, AnAnimationCanvasAboveThePixelLimitIsRefusedFromItsHeader)
{
    // A VP8X chunk for an animation on a canvas of 65536 x 32768, then its ANIM chunk.
    const TBytes file = {'R', 'I', 'F', 'F', 36,  0,   0,   0,   'W', 'E', 'B', 'P', 'V', 'P', '8', 'X',
                         10,  0,   0,   0,   0x02, 0,  0,   0,   0xFF, 0xFF, 0x00, 0xFF, 0x7F, 0x00,
                         'A', 'N', 'I', 'M', 6,   0,   0,   0,   0,   0,   0,   0,   0,   0};
    ExpectRefusedEarly(spi::DecodeWebp, file);
}
