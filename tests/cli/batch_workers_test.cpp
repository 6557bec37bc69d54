// quilmo-cli batch's workers: a reader of the lines that goes away, signals that end the run,
// and pairs that hang.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
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

class CliWorkers : public ::testing::Test {
protected:
    TScratchFolder Folder;
    const std::string Pictures = Picture();
    // A picture only the plug-in that never returns takes.
    const std::string Stall = Write("stuck.hng");

    std::string Picture()
    {
        TBigBitmap picture;
        FillPattern(picture, 30, 20);
        SavePictureFile(picture, Folder / "a.bmp", {});
        return (Folder / "a.bmp").string();
    }
    std::string Write(const std::string& name)
    {
        std::ofstream(Folder / name) << "whatever";
        return (Folder / name).string();
    }
    std::string Out(const std::string& name)
    {
        fs::create_directories(Folder / name);
        return (Folder / name).string();
    }
    // Results and temporary files in folder.
    static int Results(const std::string& folder) { return Count(folder, ".bmp"); }
    static int Leftovers(const std::string& folder) { return Count(folder, ".tmp"); }
    static int Count(const std::string& folder, const std::string& extension)
    {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == extension;
        return count;
    }
};

TEST_F(CliWorkers, AReaderOfTheLinesThatHasGoneStopsTheRunBeforeTheNextPair)
{
    std::vector<std::string> arguments{"batch", "--left"};
    arguments.insert(arguments.end(), 20, Pictures);
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        const std::string out = Out(std::string("out") + jobs);
        std::vector<std::string> run = arguments;
        run.insert(run.end(), {"--jobs", jobs, "--out", out});
        TCliProcess cli(run, {.Input = "", .ClosedOutput = true});
        const TCliResult result = cli.Wait();
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Err, "標準出力に書き込めません: Broken pipe\n");
        EXPECT_EQ(Results(out), 0);
        EXPECT_EQ(Leftovers(out), 0);
    }
}

// The workers of a run that was ended come to this process, which waits for them.
TEST_F(CliWorkers, WorkersEndWithTheRunWhateverEndsIt)
{
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(strsignal(signal));
        const std::string out = Out("out" + std::to_string(signal));
        TCliProcess cli({"--plugins", QUILMO_STALLING_PLUGIN_DIR, "batch", "--left", Pictures, Stall,
                         Stall, "--jobs", "2", "--out", out});
        // Pair 1 is done; the workers hang on pairs 2 and 3.
        for (auto limit = std::chrono::steady_clock::now() + 60s;
             cli.Out().empty() && std::chrono::steady_clock::now() < limit;)
            std::this_thread::sleep_for(10ms);
        ASSERT_EQ(cli.Out(), "1行目処理中------完了\n");
        kill(cli.Pid(), signal);
        EXPECT_EQ(cli.Wait().Status, -1);
        bool ended = false;
        for (auto limit = std::chrono::steady_clock::now() + 10s;
             !ended && std::chrono::steady_clock::now() < limit;) {
            ended = waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_TRUE(ended);
        EXPECT_EQ(Leftovers(out), 0);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}

TEST_F(CliWorkers, APairThatHangsFailsAfterTheTimeoutAndTheNextPairGoesOn)
{
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        const std::string out = Out(std::string("out") + jobs);
        const TCliResult result = RunCli({"--plugins", QUILMO_STALLING_PLUGIN_DIR, "batch", "--left",
                                          Pictures, Stall, Pictures, "--timeout", "1", "--jobs", jobs,
                                          "--plain", "--out", out});
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Out, "1 ok " + out + "/01.bmp\n2 error\n3 ok " + out + "/03.bmp\n");
        EXPECT_EQ(result.Err, "2: この組は 1 秒を超えました\n3 組のうち 1 組が成功しませんでした\n");
    }
}

}  // namespace
