// The colours each reader finds: embedded profiles in JPEG, PNG and BMP files, PNG's sRGB chunk,
// CMYK JPEGs through their profile, and the profile a plug-in hands over in a V5 header, read
// without ever leaving the plug-in's block.

#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "color/color_profile.h"
#include "color_fixtures.h"
#include "input/graphic_registry.h"
#include "input/picture_reading.h"
#include "input/susie_dib.h"
#include "support/bmp_builder.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

void PutLE32(TBytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

// A plug-in's info block: a V5 header of a 2 x 1 picture, 24 bits, with profile at offset
// (none: colour space sRGB), the block room bytes long; and its bits.
struct TPluginBlocks {
    TBytes Info;
    TBytes Bits{0, 0, 255, 0, 0, 255, 0, 0};  // two red pixels, padded
};

TPluginBlocks PluginBlocks(const TBytes& profile, uint32_t offset, uint32_t declaredSize, size_t room)
{
    TPluginBlocks blocks;
    blocks.Info.assign(room, 0);
    PutLE32(blocks.Info, 0, 124);
    PutLE32(blocks.Info, 4, 2);
    PutLE32(blocks.Info, 8, 1);
    blocks.Info[12] = 1;
    blocks.Info[14] = 24;
    PutLE32(blocks.Info, 56, 0x4D424544);  // PROFILE_EMBEDDED
    PutLE32(blocks.Info, 112, offset);
    PutLE32(blocks.Info, 116, declaredSize);
    for (size_t i = 0; i < profile.size() && offset + i < room; ++i) blocks.Info[offset + i] = profile[i];
    return blocks;
}

class ColorFiles : public testing::Test {
protected:
    TScratchFolder Folder;

    void SetUp() override { RegisterStandardGraphicFormats(); }

    TPictureRead Read(const std::string& name, const TBytes& bytes)
    {
        WriteFile(Folder / name, bytes);
        return ReadPictureFile((Folder / name).string());
    }
};

}  // namespace

TEST_F(ColorFiles, EveryReaderFindsTheEmbeddedProfileAndKeepsTheNumbers)
{
    const TBytes p3 = DisplayP3Profile();
    const TRgb numbers = FromSRGB(kPatches[1], p3);
    const std::pair<const char*, TBytes> files[] = {
        {"p3.jpg", JpegFile(numbers, p3)}, {"p3.png", PngFile(numbers, p3)}, {"p3.bmp", BmpFile(numbers, p3)}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const TPictureRead read = Read(name, bytes);
        ASSERT_TRUE(read.Picture) << read.Error;
        EXPECT_EQ(read.Profile, TColorProfile::FromICC(p3));
        EXPECT_FALSE(read.Profile.IsSRGB());
        EXPECT_TRUE(Near(DecodeFile(Folder / name).At(3, 3), numbers, 1));
    }
    for (const auto& [name, bytes] : {std::pair{"plain.jpg", JpegFile(numbers, {})}, std::pair{"plain.png", PngFile(numbers, {})},
                                      std::pair{"plain.bmp", BmpFile(numbers, {})}})
        EXPECT_TRUE(Read(name, bytes).Profile.IsSRGB()) << name;
}

TEST_F(ColorFiles, PngsSRGBChunkMeansSRGB)
{
    const TBytes tagged = PngFile(kPatches[0], DisplayP3Profile());
    ASSERT_FALSE(Read("p3.png", tagged).Profile.IsSRGB());
    const TPictureRead read = Read("srgb.png", WithPngChunk(tagged, "sRGB", {1}));
    ASSERT_TRUE(read.Picture) << read.Error;
    EXPECT_TRUE(read.Profile.IsSRGB());
}

TEST_F(ColorFiles, ABmpProfileBeyondTheFileIsPassedOver)
{
    const TBytes good = BmpFile(kPatches[2], DisplayP3Profile());
    constexpr size_t kProfileData = 14 + 112, kProfileSize = 14 + 116;
    const std::pair<size_t, uint32_t> lies[] = {
        {kProfileSize, ReadLE32(good, kProfileSize) + 1}, {kProfileData, 0xFFFFFFF0u}, {kProfileSize, 0xFFFFFFFFu}};
    for (const auto& [field, value] : lies) {
        TBytes bad = good;
        PutLE32(bad, field, value);
        const TPictureRead read = Read("bad.bmp", bad);
        ASSERT_TRUE(read.Picture) << read.Error;
        EXPECT_TRUE(read.Profile.IsSRGB()) << value;
    }
}

TEST_F(ColorFiles, CmykJpegsAreShownThroughTheirProfile)
{
    const TBytes cmyk = CmykProfile();
    for (const std::array<uint8_t, 4> inks : {std::array<uint8_t, 4>{255, 0, 0, 0}, std::array<uint8_t, 4>{30, 200, 60, 20}}) {
        WriteFile(Folder / "cmyk.jpg", CmykJpegFile(inks, cmyk));
        const TDecoded decoded = DecodeFile(Folder / "cmyk.jpg");
        EXPECT_TRUE(decoded.Profile.empty());
        EXPECT_TRUE(Near(decoded.At(5, 5), InksToSRGB(inks, cmyk), 3));
    }
    // Cyan ink takes away blue in this profile (without one it would take away red).
    WriteFile(Folder / "cyan.jpg", CmykJpegFile({255, 0, 0, 0}, cmyk));
    const TRgb cyan = DecodeFile(Folder / "cyan.jpg").At(0, 0);
    EXPECT_LT(cyan.B, 60);
    EXPECT_GT(cyan.R, 200);
}

TEST(PluginColors, AV5HeaderHandsOverTheProfileInsideTheBlock)
{
    const TBytes p3 = DisplayP3Profile();
    const uint32_t size = uint32_t(p3.size());
    // Each block in a heap block of exactly its size, so that the sanitizers see any read past it.
    const auto profileOf = [](const TPluginBlocks& blocks) {
        return SusieBlockProfile(blocks.Info.data(), blocks.Info.size());
    };
    const TPluginBlocks good = PluginBlocks(p3, 124, size, 124 + p3.size());
    EXPECT_EQ(profileOf(good), TColorProfile::FromICC(p3));
    TBitmap bitmap;
    ASSERT_EQ(SusieBlocksToBitmap(good.Info.data(), good.Info.size(), good.Bits.data(), good.Bits.size(), bitmap), 0);
    EXPECT_EQ(bitmap.GetWidth(), 2);

    // Lying fields never reach outside the block: each case gets a block of exactly its size.
    const struct {
        const char* Name;
        TPluginBlocks Blocks;
    } lying[] = {
        {"one byte past", PluginBlocks(p3, 124, size + 1, 124 + p3.size())},
        {"offset past", PluginBlocks(p3, uint32_t(124 + p3.size() + 1), 1, 124 + p3.size())},
        {"size wraps", PluginBlocks(p3, 124, 0xFFFFFFFFu, 124 + p3.size())},
        {"offset wraps", PluginBlocks(p3, 0xFFFFFFF0u, 0x20, 124 + p3.size())},
        {"empty", PluginBlocks(p3, 124, 0, 124 + p3.size())},
        {"header short of V5", PluginBlocks(p3, 124, size, 120)},
    };
    for (const auto& c : lying) EXPECT_TRUE(profileOf(c.Blocks).IsSRGB()) << c.Name;
    // Plug-ins that say nothing of their colours: another colour space, a 40-byte header.
    TPluginBlocks other = good;
    PutLE32(other.Info, 56, 0x73524742);  // LCS_sRGB
    EXPECT_TRUE(profileOf(other).IsSRGB());
    TPluginBlocks plain = good;
    PutLE32(plain.Info, 0, 40);
    EXPECT_TRUE(profileOf(plain).IsSRGB());
}
