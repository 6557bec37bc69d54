// quilmo-cli resize: which resampler it applies, and that a failure writes nothing.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "bigbitmap/big_bitmap.h"
#include "cli_runner.h"
#include "resample/big_resamplers.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// An 8-bit picture with a grey ramp, so that the command has to make it 24-bit first.
void SaveRamp(const std::filesystem::path& path)
{
    TBigBitmap picture;
    picture.SetBitmaps(10, 6, bbpf8bit);
    TPalette palette(256);
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
    picture.SetPalette(palette);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 10; ++x) picture.GetScanline(y)[x] = uint8_t(x * 25 + y * 7);
    picture.SaveToFile(path);
}

// The ramp at 24 bits, scaled by member.
std::vector<uint8_t> Expected(const std::filesystem::path& ramp, const std::function<void(TBigBitmap&)>& member)
{
    TBigBitmap bitmap;
    bitmap.LoadFromFile(ramp);
    TBitmap standard;
    standard.Assign(&bitmap);
    bitmap.Assign(&standard);
    member(bitmap);
    std::vector<uint8_t> bytes;
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        bytes.insert(bytes.end(), bitmap.GetScanline(y), bitmap.GetScanline(y) + 3 * bitmap.GetWidth());
    return bytes;
}

std::vector<uint8_t> Written(const std::filesystem::path& path)
{
    TBigBitmap bitmap;
    bitmap.LoadFromFile(path);
    EXPECT_EQ(bitmap.PixelFormat(), bbpf24bit);
    std::vector<uint8_t> bytes;
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        bytes.insert(bytes.end(), bitmap.GetScanline(y), bitmap.GetScanline(y) + 3 * bitmap.GetWidth());
    return bytes;
}

}  // namespace

TEST(CliResize, AppliesTheChosenMemberOrEnlargesBilinearAndReducesByBox)
{
    TScratchFolder folder;
    const auto ramp = folder / "ramp.bmp";
    SaveRamp(ramp);
    const auto out = (folder / "out.bmp").string();
    struct TCase {
        std::vector<std::string> Options;
        int32_t Width, Height;
        std::function<void(TBigBitmap&)> Member;
    };
    const TCase cases[] = {
        {{}, 23, 9, [](TBigBitmap& b) { BigResizeBilinearSSE2(b, 23, 9, 1, {}); }},
        {{}, 10, 12, [](TBigBitmap& b) { BigReduceSSE2(b, 10, 12, 0, {}); }},
        {{"--no-sse2"}, 4, 3, [](TBigBitmap& b) { BigReduce(b, 4, 3, 0, {}); }},
        {{"--method", "lagrange", "--no-sse2"}, 17, 11, [](TBigBitmap& b) { BigResizeCubic(b, 17, 11, ckLagrange, 1, {}); }},
        {{"--method", "bicubic"}, 17, 11, [](TBigBitmap& b) { BigResizeCubicSSE2(b, 17, 11, ckBicubic, 1, {}); }},
        {{"--method", "lanczos"}, 31, 7, [](TBigBitmap& b) { BigResizeLanczos(b, 31, 7, 1, {}); }},
        {{"--method", "reduce"}, 31, 7, [](TBigBitmap& b) { BigReduceSSE2(b, 31, 7, 0, {}); }},
    };
    for (const TCase& test : cases) {
        std::vector<std::string> arguments{"resize"};
        arguments.insert(arguments.end(), test.Options.begin(), test.Options.end());
        arguments.insert(arguments.end(), {ramp.string(), out, std::to_string(test.Width), std::to_string(test.Height)});
        const TCliResult result = RunCli(arguments);
        ASSERT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(Written(out), Expected(ramp, test.Member)) << test.Width << "x" << test.Height;
    }
}

TEST(CliResize, FailuresWriteNothing)
{
    TScratchFolder folder;
    SaveRamp(folder / "ramp.bmp");
    const auto out = folder / "out.bmp";
    const TCliResult missing = RunCli({"resize", (folder / "none.bmp").string(), out.string(), "4", "4"});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_FALSE(missing.Err.empty());
    const TCliResult tooWide = RunCli({"resize", (folder / "ramp.bmp").string(), out.string(), "2796203", "4"});
    EXPECT_EQ(tooWide.Status, 1);
    EXPECT_EQ(tooWide.Err, "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits\n");
    EXPECT_EQ(RunCli({"resize", "--method", "nearest", (folder / "ramp.bmp").string(), out.string(), "4", "4"}).Status, 2);
    EXPECT_EQ(RunCli({"resize", (folder / "ramp.bmp").string(), out.string(), "0", "4"}).Status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}
