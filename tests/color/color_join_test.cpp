// Joins of pictures in other colours than sRGB, end to end through quilmo-cli: every picture
// shows its own colours in a colour-managed viewer, whatever the formats and the choice; the
// joined picture's colours follow the rule; untagged joins are what they always were.

#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "color/color_profile.h"
#include "color_fixtures.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

using TFileMaker = TBytes (*)(TRgb, const TBytes&);

class ColorJoin : public testing::Test {
protected:
    TScratchFolder Folder;

    std::string Picture(const std::string& name, const TBytes& bytes)
    {
        WriteFile(Folder / name, bytes);
        return (Folder / name).string();
    }

    // join at quality 100 (lossless WebP) into out; the decoded result.
    TDecoded Join(const std::vector<std::string>& inputs, const std::string& out, const std::string& space,
                  const std::vector<std::string>& options = {})
    {
        std::vector<std::string> arguments{"join", "--quality", "100", "--color-space", space, "-o", (Folder / out).string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), inputs.begin(), inputs.end());
        const TCliResult run = RunCli(arguments);
        EXPECT_EQ(run.Status, 0) << run.Err;
        return DecodeFile(Folder / out);
    }

    TBytes FileBytes(const std::string& name)
    {
        std::ifstream file(Folder / name, std::ios::binary);
        return TBytes((std::istreambuf_iterator<char>(file)), {});
    }
};

TColorProfile Profile(const TBytes& bytes) { return TColorProfile::FromICC(bytes); }

}  // namespace

TEST_F(ColorJoin, EveryPictureShowsItsColoursInEveryFormatAndChoice)
{
    const std::pair<const char*, TFileMaker> inputs[] = {{"jpg", JpegFile}, {"png", PngFile}, {"bmp", BmpFile}};
    for (const TBytes& profile : {DisplayP3Profile(), AdobeRgbProfile()}) {
        for (const auto& [extension, make] : inputs) {
            std::vector<std::string> files;
            for (size_t k = 0; k < kPatches.size(); ++k)
                files.push_back(Picture(std::to_string(k) + "." + extension, make(FromSRGB(kPatches[k], profile), profile)));
            for (const char* out : {"out.jpg", "out.png", "out.webp", "out.bmp"}) {
                for (const char* space : {"auto", "srgb"}) {
                    SCOPED_TRACE(std::string(extension) + " into " + out + ", " + space);
                    const TDecoded joined = Join(files, out, space);
                    const bool tagged = std::string(space) == "auto" && std::string(out) != "out.bmp";
                    EXPECT_EQ(Profile(joined.Profile), tagged ? Profile(profile) : TColorProfile());
                    for (size_t k = 0; k < kPatches.size(); ++k)
                        EXPECT_TRUE(Near(joined.Shown(int32_t(16 * k + 8), 4), kPatches[k], 4)) << "patch " << k;
                }
            }
        }
    }
}

TEST_F(ColorJoin, AnUntaggedPictureIsConvertedIntoTheTaggedOnesColours)
{
    const TBytes p3 = DisplayP3Profile();
    const TRgb numbers = FromSRGB(kPatches[0], p3);
    const TRgb plain = kPatches[3];
    const std::vector<std::string> files{Picture("p3.png", PngFile(numbers, p3)), Picture("plain.png", PngFile(plain, {}))};
    const TRgb fill{0, 0, 255};
    const std::vector<std::string> gap{"--gap", "10", "--color", "0000ff"};

    // The pictures that carry the profile keep their numbers; the others are converted as lcms
    // converts them, to within a level.
    const TDecoded automatic = Join(files, "auto.png", "auto", gap);
    EXPECT_EQ(Profile(automatic.Profile), Profile(p3));
    EXPECT_EQ(automatic.At(3, 3), numbers);
    EXPECT_TRUE(Near(automatic.At(28, 3), FromSRGB(plain, p3), 1));
    EXPECT_TRUE(Near(automatic.At(20, 3), FromSRGB(fill, p3), 1));

    const TDecoded srgb = Join(files, "srgb.png", "srgb", gap);
    EXPECT_TRUE(srgb.Profile.empty());
    EXPECT_TRUE(Near(srgb.At(3, 3), ToSRGB(numbers, p3), 1));
    EXPECT_EQ(srgb.At(28, 3), plain);
    EXPECT_EQ(srgb.At(20, 3), fill);
}

TEST_F(ColorJoin, PicturesOfDifferentProfilesAreJoinedInSRGB)
{
    const TBytes p3 = DisplayP3Profile(), adobe = AdobeRgbProfile();
    const std::vector<std::string> files{Picture("p3.jpg", JpegFile(FromSRGB(kPatches[1], p3), p3)),
                                         Picture("adobe.png", PngFile(FromSRGB(kPatches[2], adobe), adobe))};
    const TDecoded joined = Join(files, "out.png", "auto");
    EXPECT_TRUE(joined.Profile.empty());
    EXPECT_TRUE(Near(joined.At(8, 4), kPatches[1], 4));
    EXPECT_TRUE(Near(joined.At(24, 4), kPatches[2], 4));
}

TEST_F(ColorJoin, UntaggedAndSRGBPicturesJoinAsTheyAlwaysDid)
{
    // A JPEG labelled with an sRGB profile is sRGB: nothing is converted, nothing is written.
    const std::vector<std::string> tagged{Picture("a.png", PngFile(kPatches[0], {})),
                                          Picture("b.jpg", JpegFile(kPatches[1], SRGBProfile())),
                                          Picture("c.bmp", BmpFile(kPatches[2], {}))};
    const std::vector<std::string> plain{tagged[0], Picture("untagged.jpg", JpegFile(kPatches[1], {})), tagged[2]};
    for (const char* out : {"jpg", "png", "webp"}) {
        SCOPED_TRACE(out);
        Join(tagged, std::string("auto.") + out, "auto");
        Join(tagged, std::string("srgb.") + out, "srgb");
        Join(plain, std::string("plain.") + out, "auto");
        EXPECT_EQ(FileBytes(std::string("auto.") + out), FileBytes(std::string("plain.") + out));
        EXPECT_EQ(FileBytes(std::string("srgb.") + out), FileBytes(std::string("plain.") + out));
    }
}

TEST_F(ColorJoin, BatchResultsFollowTheRuleInEveryWorker)
{
    const TBytes p3 = DisplayP3Profile();
    const std::string left = Picture("left.png", PngFile(kPatches[3], {}));
    const std::string right = Picture("right.jpg", JpegFile(FromSRGB(kPatches[0], p3), p3));
    for (const char* space : {"auto", "srgb"}) {
        SCOPED_TRACE(space);
        const std::string out = (Folder / space).string();
        const TCliResult run = RunCli({"batch", "--left", left, left, "--right", right, right, "--format", "jpg",
                                       "--quality", "100", "--jobs", "2", "--color-space", space, "--out", out});
        ASSERT_EQ(run.Status, 0) << run.Err;
        for (const char* name : {"01.jpg", "02.jpg"}) {
            const TDecoded result = DecodeFile(Folder / space / name);
            EXPECT_EQ(Profile(result.Profile), std::string(space) == "auto" ? Profile(p3) : TColorProfile());
            EXPECT_TRUE(Near(result.Shown(8, 4), kPatches[3], 4));
            EXPECT_TRUE(Near(result.Shown(24, 4), kPatches[0], 4));
        }
    }
}
