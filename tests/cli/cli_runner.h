#pragma once
// Runs quilmo-cli as a script would and collects what it says.

#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_folder.h"

namespace quilmo::test {

struct TCliResult {
    int Status = -1;
    int Signal = 0;  // the signal that ended it, if one did
    std::string Out;
    std::string Err;
};

// A run that waits on something instead of failing ends after two minutes with status 124; a
// run ended by a signal has status -1.
TCliResult RunCli(const std::vector<std::string>& arguments);

// quilmo-cli started in the background, in a process group of its own.
class TCliProcess {
public:
    struct TOptions {
        std::string Input{};        // its standard input, through a pipe
        bool ClosedOutput = false;  // stdout a pipe whose reader has gone
        std::vector<std::string> Environment{};  // NAME=VALUE, in place of what it inherits
    };
    TCliProcess(const std::vector<std::string>& arguments, const TOptions& options);
    explicit TCliProcess(const std::vector<std::string>& arguments) : TCliProcess(arguments, TOptions{}) {}
    // Whatever is left of its group is killed.
    ~TCliProcess();
    TCliProcess(const TCliProcess&) = delete;
    TCliProcess& operator=(const TCliProcess&) = delete;

    int Pid() const { return FPid; }
    // What it has written to stdout so far.
    std::string Out() const;
    // Waits for it to end (two minutes at most, as RunCli).
    TCliResult Wait();

private:
    TScratchFolder FScratch;
    int FPid = -1;    // until it has been waited for
    int FGroup = -1;
};

// What a reader must refuse at once rather than wait on, under a picture name in folder: a
// named pipe, a folder and a link to a device, each with the reason the refusal gives.
struct TNoRegularFile {
    std::string Path;
    std::string Reason;
};
std::vector<TNoRegularFile> MakeNoRegularFiles(const TScratchFolder& folder);

}  // namespace quilmo::test
