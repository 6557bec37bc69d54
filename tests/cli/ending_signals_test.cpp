// quilmo-cli ended by a signal while it saves: the temporary file goes with it, no output
// appears, and it ends as the signal ends a program.

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "bigbitmap/big_bitmap.h"
#include "cli_runner.h"
#include "output/picture_file.h"
#include "support/picture_checks.h"

using namespace quilmo;
using namespace quilmo::test;
namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

// Every save of the program stays in progress until it is ended. AddressSanitizer would refuse
// a library preloaded ahead of its own.
TCliProcess::TOptions HeldSaves()
{
    const char* asan = std::getenv("ASAN_OPTIONS");
    return {.Environment = {std::string("LD_PRELOAD=") + QUILMO_STALLING_FSYNC,
                            std::string("ASAN_OPTIONS=") + (asan ? asan : "") + ":verify_asan_link_order=0"}};
}

bool HoldsTemporaryFile(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".quilmo-")) return true;
    return false;
}

TEST(CliEnded, ACommandEndedWhileItSavesLeavesNoFileBehindAndEndsAsTheSignalEndsIt)
{
    const TScratchFolder folder;
    TBigBitmap picture;
    FillPattern(picture, 30, 20);
    const std::string in = (folder / "in.bmp").string();
    SavePictureFile(picture, in, {});
    const fs::path out = folder / "out";
    fs::create_directory(out);
    // The join writes on a thread of its own while the pictures are joined.
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {SIGTERM, {"join", "--threads", "2", "-o", (out / "joined.jpg").string(), in, in}},
        {SIGINT, {"resize", in, (out / "resized.bmp").string(), "60", "40"}},
        {SIGHUP, {"convert", in, (out / "converted.bmp").string()}},
    };
    for (const auto& [signal, arguments] : cases) {
        SCOPED_TRACE(arguments.front());
        TCliProcess cli(arguments, HeldSaves());
        for (auto limit = std::chrono::steady_clock::now() + 60s;
             !HoldsTemporaryFile(out) && std::chrono::steady_clock::now() < limit;)
            std::this_thread::sleep_for(10ms);
        ASSERT_TRUE(HoldsTemporaryFile(out));
        kill(cli.Pid(), signal);
        const TCliResult result = cli.Wait();
        EXPECT_EQ(result.Signal, signal) << strsignal(result.Signal);
        EXPECT_TRUE(fs::is_empty(out));
    }
}

}  // namespace
