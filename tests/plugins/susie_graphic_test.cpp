// Decoding files through plug-ins: every error code, the blocks a plug-in returns, and copies.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "bigbitmap/big_bitmap.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "input/susie_graphic.h"
#include "input/susie_plugins.h"
#include "named_pipe.h"
#include "plugin_folder.h"
#include "support/picture_checks.h"
#include "tests/plugins/spi/scripted_file.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// 3 x 2, 8 bits; the colour table has 3 entries, and row r, column c holds index (r + c) % 3.
TBmpSpec EightBitPicture()
{
    TBmpSpec spec;
    spec.Width = 3;
    spec.Height = 2;
    spec.Bits = 8;
    spec.ColoursUsed = 3;
    spec.Colours = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}};
    spec.Pixels = {1, 2, 0, 0,   // bottom row (r = 1)
                   0, 1, 2, 0};  // top row
    return spec;
}

constexpr TColor kEightBitColours[3] = {0x0000C8, 0x00C800, 0xC80000};

int32_t Load(tsusiegraphic& graphic, const std::filesystem::path& path)
{
    graphic.LoadFromFile(path);
    return TakeSusieError();
}

}  // namespace

TEST(SusieGraphic, FailuresBeforeDecodingHaveTheirCodes)
{
    tsusiegraphic graphic;
    TPluginFolder folder({"t_script.spi"});
    const auto picture = folder.WriteFile("p.qsp", ScriptedPicture(0, DibBlocks(EightBitPicture())));
    // Without plug-ins nothing reads the file.
    EXPECT_EQ(Load(graphic, picture), 10);

    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    EXPECT_EQ(Load(graphic, folder.Path() / "missing.qsp"), 7);
    EXPECT_EQ(Load(graphic, folder.Path()), 7);

    graphic.LoadFromFile(folder.WriteFile("other.qsp", {'N', 'O', 'P', 'E'}));
    EXPECT_EQ(TakeSusieError(), 10);
    EXPECT_EQ(TakeSusieError(), 0);

    // A lock another open file holds on the file keeps plug-ins from reading it.
    const int holder = ::open(picture.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    ASSERT_EQ(::fcntl(holder, F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(Load(graphic, picture), 11);
    ::close(holder);
    EXPECT_EQ(Load(graphic, picture), 0);
}

TEST(SusieGraphic, NamedPipesAndDevicesCannotBeOpenedAndAreNotWaitedOn)
{
    TPluginFolder folder({"t_script.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    tsusiegraphic graphic;
    TNamedPipe pipe(folder.Path() / "pipe.qsp");
    EXPECT_EQ(Load(graphic, pipe.Path()), 7);
    EXPECT_FALSE(pipe.ReaderWaited());
    EXPECT_EQ(Load(graphic, "/dev/zero"), 7);
    EXPECT_TRUE(graphic.GetEmpty());
}

TEST(SusieGraphic, APluginWithoutGetPictureGivesNine)
{
    TPluginFolder folder({"t_nopic.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    tsusiegraphic graphic;
    EXPECT_EQ(Load(graphic, folder.WriteFile("p.nop", ScriptedPicture(0, DibBlocks(EightBitPicture())))), 9);
    EXPECT_TRUE(graphic.GetEmpty());
}

TEST(SusieGraphic, PluginsThatThrowGiveEightAndLeaveTheGraphicAsItWas)
{
    TPluginFolder folder({"t_script.spi", "t_throw.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    tsusiegraphic graphic;
    ASSERT_EQ(Load(graphic, folder.WriteFile("p.qsp", ScriptedPicture(0, DibBlocks(EightBitPicture())))), 0);
    EXPECT_EQ(Load(graphic, folder.WriteFile("support.thr", {'T', 'H', 'R', 'O'})), 8);
    EXPECT_EQ(Load(graphic, folder.WriteFile("picture.thr", {'T', 'H', 'R', 'P'})), 8);
    EXPECT_EQ(graphic.GetWidth(), 3);
    EXPECT_EQ(graphic.GetHeight(), 2);
}

TEST(SusieGraphic, PluginsSeeTheFirst2600BytesOfTheFile)
{
    TPluginFolder folder({"t_script.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    using TFileStart = const uint8_t* ();
    auto* lastFileStart = SusieFunction<TFileStart>(SusiePlugins.Get(0).Module, "TestLastFileStart");
    ASSERT_NE(lastFileStart, nullptr);

    TBytes big = ScriptedPicture(0, DibBlocks(EightBitPicture()));
    big.resize(3000);
    for (size_t i = 24; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i % 251 + 1);
    tsusiegraphic graphic;
    Load(graphic, folder.WriteFile("big.qsp", big));
    const uint8_t* seen = lastFileStart();
    EXPECT_TRUE(std::equal(big.begin(), big.begin() + kFileStartSize, seen));
    EXPECT_EQ(seen[kFileStartSize], 0);

    Load(graphic, folder.WriteFile("small.qsp", {'Q', 'S', 'P', 'I', 7}));
    seen = lastFileStart();
    EXPECT_EQ(seen[4], 7);
    EXPECT_TRUE(std::all_of(seen + 5, seen + kFileStartSize + 1, [](uint8_t b) { return b == 0; }));
}

TEST(SusieGraphic, PluginResultsAndBrokenBlocksLeaveTheGraphicAsItWas)
{
    TPluginFolder folder({"t_script.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    tsusiegraphic graphic;
    const TDibBlocks good = DibBlocks(EightBitPicture());

    // A plug-in failing with blocks handed out anyway: they are freed, the result is passed on.
    EXPECT_EQ(Load(graphic, folder.WriteFile("unknown.qsp", ScriptedPicture(2, good))), 2);
    EXPECT_TRUE(graphic.GetEmpty());
    EXPECT_EQ(Load(graphic, folder.WriteFile("aborted.qsp", ScriptedPicture(-1, {}))), -1);

    // Half the rows: the host knows a block's size only as the allocator rounded it up.
    TBmpSpec tall = EightBitPicture();
    tall.Height = 200;
    tall.Pixels.resize(4 * 100);
    const TDibBlocks shortBits = DibBlocks(tall);
    EXPECT_EQ(Load(graphic, folder.WriteFile("short.qsp", ScriptedPicture(0, shortBits))), 3);
    EXPECT_TRUE(graphic.GetEmpty());
    EXPECT_EQ(Load(graphic, folder.WriteFile("noblocks.qsp", ScriptedPicture(0, {}))), 3);
    EXPECT_EQ(Load(graphic, folder.WriteFile("twice.qsp", ScriptedPicture(0, good, kScriptSameBlockTwice))), 3);

    ASSERT_EQ(Load(graphic, folder.WriteFile("good.qsp", ScriptedPicture(0, good))), 0);
    EXPECT_EQ(Load(graphic, folder.Path() / "short.qsp"), 3);
    EXPECT_EQ(graphic.GetWidth(), 3);
    EXPECT_EQ(graphic.GetHeight(), 2);
}

TEST(SusieGraphic, EightBitPicturesGetTheirPaletteThroughTheRegistry)
{
    TPluginFolder folder({"t_script.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    const std::unique_ptr<TGraphic> loaded =
        LoadGraphicFile(folder.WriteFile("p.QSP", ScriptedPicture(0, DibBlocks(EightBitPicture()))));
    ASSERT_EQ(TakeSusieError(), 0);
    auto* graphic = dynamic_cast<tsusiegraphic*>(loaded.get());
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->PicFormat(), pf8bit);
    ASSERT_EQ(graphic->GetPalette().size(), 256u);
    EXPECT_EQ(graphic->GetPalette()[2], (TPaletteEntry{0, 0, 200, 0}));
    EXPECT_EQ(graphic->GetPalette()[3], (TPaletteEntry{0, 0, 0, 0}));
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(ColourAt(*graphic, x, y), kEightBitColours[(x + y) % 3]);
}

TEST(SusieGraphic, CopiesKeepTheSizeAndPictureOfTheOriginal)
{
    TPluginFolder folder({"t_script.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    tsusiegraphic graphic;
    ASSERT_EQ(Load(graphic, folder.WriteFile("p.qsp", ScriptedPicture(0, DibBlocks(EightBitPicture())))), 0);

    const std::unique_ptr<TGraphic> clone = graphic.Clone();
    ASSERT_STREQ(clone->ClassName(), "tsusiegraphic");
    EXPECT_EQ(clone->GetWidth(), 3);
    EXPECT_EQ(clone->GetHeight(), 2);
    EXPECT_EQ(static_cast<tsusiegraphic&>(*clone).GetPalette(), graphic.GetPalette());

    TBigBitmap big;
    graphic.AssignTo(big);
    ASSERT_EQ(big.GetWidth(), 3);
    ASSERT_EQ(big.GetHeight(), 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(ColourAt(big, x, y), kEightBitColours[(x + y) % 3]);

    TBitmap standard;
    standard.Assign(clone.get());
    EXPECT_EQ(ColourAt(standard, 2, 1), kEightBitColours[0]);
}
