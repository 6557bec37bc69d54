// The HEIF plug-in on files the formats' own tools make, judged by their reference decoders:
// every rotation and mirror with and without a crop, the brand mif1, a primary image that is a
// thumbnail, and AVIF sequences.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "format_tools.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "input/susie_plugins.h"
#include "plugin_folder.h"
#include "plugins/heif/heif_reader.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr int kNoMirror = -1;

void ExpectAsReference(const TBytes& file, const TSamplePicture& reference)
{
    TBitmap bitmap;
    ASSERT_EQ(DecodeInto(spi::DecodeHeif, file, bitmap), 0);
    ExpectColours(bitmap, reference.Width, ExpectedColours(reference), 2);
}

// The big-endian 16-bit number that follows the first box of type at its header and skip bytes.
size_t FieldAfter(const TBytes& file, const char* type, size_t skip)
{
    const auto at = std::search(file.begin(), file.end(), type, type + 4);
    EXPECT_NE(at, file.end()) << type;
    return static_cast<size_t>(at - file.begin()) + 4 + skip;
}

}  // namespace

class HeifTransforms : public FormatToolFiles, public ::testing::WithParamInterface<std::tuple<int, int, bool>> {};

TEST_P(HeifTransforms, AreAppliedAsHeifConvertAppliesThem)
{
    const auto [rotation, mirror, crop] = GetParam();
    WritePng("in.png", MakeSamplePicture(16, 12, 3));
    std::string options = "-l --irot " + std::to_string(rotation);
    if (mirror != kNoMirror) options += " --imir " + std::to_string(mirror);
    if (crop) options += " --crop 3,2,9,7";
    const TBytes avif = Make("avifenc " + options + " in.png out.avif", "out.avif");
    ExpectAsReference(avif, ReferenceDecode("heif-convert", "out.avif", avif));
}

INSTANTIATE_TEST_SUITE_P(EveryTurnMirrorAndCrop, HeifTransforms,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Values(kNoMirror, 0, 1),
                                            ::testing::Bool()));

TEST_F(FormatToolFiles, HeifOfBrandMif1AndAThumbnailThatIsNoPicture)
{
    WritePng("in.png", MakeSamplePicture(40, 30, 3));
    TBytes heic = Make("heif-enc -L -t 16 in.png -o out.heic", "out.heic");
    const TSamplePicture reference = ReferenceDecode("heif-convert", "out.heic", heic);
    ExpectAsReference(heic, reference);

    // The file-type check of libheif is not sure of brand mif1; libheif reads it all the same.
    TBytes mif1 = heic;
    std::copy_n("mif1", 4, mif1.begin() + 8);
    ASSERT_TRUE(spi::LooksLikeHeif(mif1.data(), mif1.size()));
    ExpectAsReference(mif1, reference);

    // The primary item named as the thumbnail (the item its thmb reference comes from).
    const size_t thumbnail = FieldAfter(heic, "thmb", 0), primary = FieldAfter(heic, "pitm", 4);
    std::copy_n(heic.begin() + thumbnail, 2, heic.begin() + primary);
    TBitmap bitmap;
    EXPECT_EQ(DecodeInto(spi::DecodeHeif, heic, bitmap), spi::kBrokenData);
}

TEST_F(FormatToolFiles, AnAvifSequenceGivesItsFirstFrame)
{
    const TSamplePicture first = MakeSamplePicture(16, 12, 4);
    TSamplePicture second = first;
    std::reverse(second.Samples.begin(), second.Samples.end());
    WritePng("1.png", first);
    WritePng("2.png", second);
    const TBytes sequence = Make("avifenc -l 1.png 2.png out.avifs", "out.avifs");
    ExpectAsReference(sequence, ReferenceDecode("avifdec", "out.avifs", sequence));
    ExpectAsReference(sequence, first);

    // Named as sequences are, through the host: the plug-in of ".avif" reads ".avifs".
    TPluginFolder folder({"ifheif.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    const std::unique_ptr<TGraphic> graphic = LoadGraphicFile(folder.WriteFile("clip.avifs", sequence));
    ASSERT_EQ(TakeSusieError(), 0);
    ExpectColours(dynamic_cast<TBitmap&>(*graphic), first.Width, ExpectedColours(first));
}
