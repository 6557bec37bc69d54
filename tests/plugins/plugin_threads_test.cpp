// The plug-ins shared among threads: a reload asked for while another thread decodes with a
// plug-in waits for the decode, so the library is not released under it, and lookups in the
// format registry on yet another thread see the formats whole meanwhile.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "bigbitmap/bitmap.h"
#include "held_picture.h"
#include "input/graphic_registry.h"
#include "input/picture_reading.h"
#include "input/susie_setup.h"
#include "plugin_folder.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// 2 x 1, 24 bits: red, blue.
TBmpSpec RedAndBlue()
{
    TBmpSpec spec;
    spec.Width = 2;
    spec.Pixels = {0, 0, 200, 200, 0, 0, 0, 0};
    return spec;
}

}  // namespace

TEST(PluginThreads, AReloadWaitsForTheDecodeThatRunsWithThePlugin)
{
    const TPluginFolder plugins({"t_script.spi"});
    const TPluginFolder empty;
    ASSERT_TRUE(SetupSusiePlugins(plugins.Path(), false).Loaded);
    const THeldPicture picture(plugins.Path() / "held.qsp", RedAndBlue());
    std::future<TPictureRead> decode =
        std::async(std::launch::async, [&] { return ReadPictureFile(picture.Path().string()); });
    picture.WaitUntilHeld();

    // The empty folder leaves no plug-in loaded: the reload releases the library once it may.
    std::future<bool> reload =
        std::async(std::launch::async, [&] { return SetupSusiePlugins(empty.Path(), false).Loaded; });
    std::atomic<bool> reloaded = false;
    std::thread lookups([&] {
        while (!reloaded) FindGraphicFormat(".qsp");
    });
    // However long it is given, a reload never gets past a decode that runs (one that did would
    // release the library the decode returns into).
    EXPECT_EQ(reload.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);

    picture.Release();
    const TPictureRead read = decode.get();
    EXPECT_FALSE(reload.get());
    reloaded = true;
    lookups.join();
    EXPECT_EQ(read.PluginError, 0);
    ASSERT_TRUE(read.Picture);
    ExpectPixels(dynamic_cast<const TBitmap&>(*read.Picture), 2, {0x0000C8, 0xC80000});
    EXPECT_FALSE(IsLoaded(BuiltPlugin("t_script.spi")));
    EXPECT_FALSE(FindGraphicFormat(".qsp"));
}
