// The HEIF plug-in's decoder on HEIC and AVIF pictures libheif encodes: 8 and 10 bits, alpha,
// rotation, odd sizes, damage.

#include <gtest/gtest.h>

#include "format_encoders.h"
#include "plugins/heif/heif_reader.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// Decodes file with the plug-in and expects what libheif decodes, rounded to 8 bits.
void ExpectAsLibheif(const char* caseName, const TBytes& file, bool alpha, int bits)
{
    SCOPED_TRACE(caseName);
    TBitmap bitmap;
    ASSERT_EQ(DecodeInto(spi::DecodeHeif, file, bitmap), 0);
    const TSamplePicture own = LibheifDecode(file, alpha, bits);
    ExpectColours(bitmap, own.Width, ExpectedColours(own));
}

void SkipWithoutEncoder(heif_compression_format format)
{
    if (!heif_have_encoder_for_format(format)) GTEST_SKIP() << "libheif has no encoder for this format here";
}

}  // namespace

TEST(HeifReader, HeicInEightAndTenBits)
{
    SkipWithoutEncoder(heif_compression_HEVC);
    const TSamplePicture eight = MakeSamplePicture(64, 48, 3);
    const TBytes file = EncodeHeif(eight, {});
    ExpectAsLibheif("heic8", file, false, 8);
    // Lossy, but close to what was encoded.
    TBitmap bitmap;
    ASSERT_EQ(DecodeInto(spi::DecodeHeif, file, bitmap), 0);
    ExpectColours(bitmap, 64, ExpectedColours(eight), 16);

    // Ten bits are rounded, where libheif's own 8-bit output would cut them.
    ExpectAsLibheif("heic10", EncodeHeif(MakeSamplePicture(64, 48, 3, 1023), {.Bits = 10}), false, 10);
}

TEST(HeifReader, AlphaRotationAndOddSizes)
{
    SkipWithoutEncoder(heif_compression_HEVC);
    ExpectAsLibheif("heic_alpha", EncodeHeif(MakeSamplePicture(32, 24, 4), {}), true, 8);
    ExpectAsLibheif("heic_odd", EncodeHeif(MakeSamplePicture(33, 17, 3), {}), false, 8);

    // A quarter turn stands upright: 48 wide, 64 high, the colours where the turn puts them.
    const TSamplePicture picture = MakeSamplePicture(64, 48, 3);
    const TBytes turned = EncodeHeif(picture, {.Orientation = heif_orientation_rotate_90_cw});
    ExpectAsLibheif("heic_rotated", turned, false, 8);
    TBitmap bitmap;
    ASSERT_EQ(DecodeInto(spi::DecodeHeif, turned, bitmap), 0);
    ExpectColours(bitmap, 48, ExpectedColours(picture, 6), 16);
}

TEST(HeifReader, Avif)
{
    SkipWithoutEncoder(heif_compression_AV1);
    ExpectAsLibheif("avif", EncodeHeif(MakeSamplePicture(40, 24, 3), {.Compression = heif_compression_AV1}), false,
                    8);
    ExpectAsLibheif("avif_alpha", EncodeHeif(MakeSamplePicture(40, 24, 4), {.Compression = heif_compression_AV1}),
                    true, 8);
}

TEST(HeifReader, RefusesWhatItCannotRead)
{
    SkipWithoutEncoder(heif_compression_HEVC);
    TBitmap bitmap;
    const TBytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    EXPECT_EQ(DecodeInto(spi::DecodeHeif, png, bitmap), 2);
    const TBytes file = EncodeHeif(MakeSamplePicture(64, 48, 4), {});
    EXPECT_EQ(DecodeInto(spi::DecodeHeif, TBytes(file.begin(), file.begin() + file.size() / 2),
                         bitmap),
              3);
    ExpectDamageHandled(spi::DecodeHeif, file);
}
