// The Netpbm plug-in: its decoder on every format, and the shipped library through the host.

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "input/graphic_registry.h"
#include "input/susie_dib.h"
#include "input/susie_errors.h"
#include "input/susie_graphic.h"
#include "input/susie_plugins.h"
#include "named_pipe.h"
#include "plugin_folder.h"
#include "plugins/pnm/pnm_reader.h"
#include "sample_pictures.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

constexpr TColor kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

TBytes Bytes(const std::string& text) { return TBytes(text.begin(), text.end()); }

TColor Grey(uint8_t level) { return level * 0x010101u; }

// Decodes the file into a bitmap the way the host takes the plug-in's blocks.
int32_t DecodeInto(const TBytes& file, TBitmap& bitmap)
{
    spi::TDibBlocks blocks;
    if (const int32_t code = spi::DecodePnm(file.data(), file.size(), blocks)) return code;
    return SusieBlocksToBitmap(blocks.Info.Data.get(), blocks.Info.Size, blocks.Bits.Data.get(), blocks.Bits.Size,
                               bitmap);
}

std::unique_ptr<TBitmap> Decode(const std::string& caseName, const TBytes& file)
{
    auto bitmap = std::make_unique<TBitmap>();
    EXPECT_EQ(DecodeInto(file, *bitmap), 0) << caseName;
    return bitmap;
}

}  // namespace

TEST(PnmReader, BitmapsPlainAndRaw)
{
    const auto plain = Decode("p1", Bytes("P1\n# a comment\n3 2\n010\n1 0\t1\n"));
    EXPECT_EQ(plain->PixelFormat(), pf1bit);
    ExpectPixels(*plain, 3, {kWhite, kBlack, kWhite, kBlack, kWhite, kBlack});

    TBytes raw = Bytes("P4 10#comment\n2\n");
    raw.insert(raw.end(), {0x80, 0x40, 0xFF, 0xFF});
    ExpectPixels(*Decode("p4", raw), 10,
                 {kBlack, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kBlack,
                  kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack});
}

TEST(PnmReader, GreymapsAreScaledToEightBits)
{
    const auto plain = Decode("p2", Bytes("P2 3 1 15 0 7 15"));
    EXPECT_EQ(plain->PixelFormat(), pf8bit);
    ExpectPixels(*plain, 3, {Grey(0), Grey(119), Grey(255)});

    TBytes wide = Bytes("P5\n2 1\n65535\n");
    wide.insert(wide.end(), {0xFF, 0xFF, 0x80, 0x00});
    ExpectPixels(*Decode("p5_16", wide), 2, {Grey(255), Grey(128)});

    TBytes bytes = Bytes("P5 2 2 255\n");
    bytes.insert(bytes.end(), {0, 10, 200, 255});
    ExpectPixels(*Decode("p5", bytes), 2, {Grey(0), Grey(10), Grey(200), Grey(255)});
}

TEST(PnmReader, PixmapsPlainAndRaw)
{
    const auto plain = Decode("p3", Bytes("P3 2 1 255\n255 0 0  0 0 255\n"));
    EXPECT_EQ(plain->PixelFormat(), pf24bit);
    ExpectPixels(*plain, 2, {kRed, kBlue});

    TBytes raw = Bytes("P6 1 2 255\n");
    raw.insert(raw.end(), {255, 0, 0, 1, 2, 3});
    ExpectPixels(*Decode("p6", raw), 1, {kRed, 0x030201});

    TBytes wide = Bytes("P6 1 1 1000\n");
    wide.insert(wide.end(), {0x03, 0xE8, 0x00, 0x00, 0x01, 0xF4});
    ExpectPixels(*Decode("p6_16", wide), 1, {0x8000FF});
}

TEST(PnmReader, BrokenFilesAreRefused)
{
    const std::pair<const char*, std::string> unknown[] = {{"empty", ""}, {"p7", "P7 1 1 255\n"}, {"text", "PX"}};
    for (const auto& [name, text] : unknown) {
        TBitmap bitmap;
        EXPECT_EQ(DecodeInto(Bytes(text), bitmap), 2) << name;
    }
    const std::pair<const char*, std::string> broken[] = {
        {"zero_width", "P2 0 1 255 0"},
        {"no_height", "P2 1"},
        {"zero_maxval", "P2 1 1 0 0"},
        {"big_maxval", "P2 1 1 65536 0"},
        {"plain_over_maxval", "P2 1 1 15 16"},
        {"plain_over_small_maxval", "P2 2 1 3  7 2"},
        {"raw_over_maxval", std::string("P5 1 1 1000\n\x03\xE9", 14)},
        {"bad_bit", "P1 2 1 0 2"},
        {"no_separator", "P5 1 1 255"},
        {"truncated_raw", "P6 2 1 255\n\1\2\3\4\5"},
        {"truncated_plain", "P3 1 1 255 1 2"},
        {"overflowing_width", "P2 99999999999 1 255 0"},
    };
    for (const auto& [name, text] : broken) {
        TBitmap bitmap;
        EXPECT_EQ(DecodeInto(Bytes(text), bitmap), 3) << name;
    }
}

TEST(PnmReader, PicturesAboveThePixelLimitAreRefusedFromTheirHeader)
{
    ExpectRefusedEarly(spi::DecodePnm, Bytes("P6 2147483647 2147483647 255\n\1\2\3"));
    ExpectRefusedEarly(spi::DecodePnm, Bytes("P1 100000 100000 0"));
}

TEST(PnmPlugin, TheShippedPluginReadsNetpbmFilesThroughTheHost)
{
    TPluginFolder folder({"ifpnm.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    std::vector<std::string> extensions;
    for (int i = 0; i < SusiePlugins.Count(); ++i) extensions.push_back(FieldText(SusiePlugins.Get(i).Extension));
    EXPECT_EQ(extensions, (std::vector<std::string>{".pnm", ".ppm", ".pgm", ".pbm"}));
    EXPECT_EQ(FieldText(SusiePlugins.Get(0).FileName), "ifpnm.spi");

    const TBytes ppm = Bytes("P3 2 1 255 255 0 0 0 0 255");
    const std::unique_ptr<TGraphic> loaded = LoadGraphicFile(folder.WriteFile("picture.ppm", ppm));
    ASSERT_EQ(TakeSusieError(), 0);
    const auto& graphic = dynamic_cast<tsusiegraphic&>(*loaded);
    EXPECT_EQ(graphic.PicFormat(), pf24bit);
    EXPECT_TRUE(graphic.GetPalette().empty());
    ExpectPixels(graphic, 2, {kRed, kBlue});

    // A file that only looks like one is refused by the plug-in itself.
    LoadGraphicFile(folder.WriteFile("broken.pgm", Bytes("P2 2 2 255 1")));
    EXPECT_EQ(TakeSusieError(), 3);

    // Pictures in memory are read too.
    auto* getPicture = SusieFunction<SusieGetPicture>(SusiePlugins.Get(0).Module, "GetPicture");
    void* info = nullptr;
    void* bits = nullptr;
    ASSERT_EQ(getPicture(reinterpret_cast<const char*>(ppm.data()), static_cast<int32_t>(ppm.size()), 1, &info, &bits,
                         nullptr, 0),
              0);
    EXPECT_EQ(static_cast<const uint8_t*>(info)[14], 24);
    std::free(info);
    std::free(bits);
}

TEST(PnmPlugin, OnlyRegularFilesAreOpened)
{
    TPluginFolder folder({"ifpnm.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    auto* getPicture = SusieFunction<SusieGetPicture>(SusiePlugins.Get(0).Module, "GetPicture");
    TNamedPipe pipe(folder.Path() / "pipe.ppm");
    for (const std::filesystem::path& path : {pipe.Path(), folder.Path()}) {
        void* info = nullptr;
        void* bits = nullptr;
        EXPECT_EQ(getPicture(path.c_str(), 0, 0, &info, &bits, nullptr, 0), 7) << path;
        EXPECT_EQ(info, nullptr);
    }
    EXPECT_FALSE(pipe.ReaderWaited());
}
