#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quilmo::test {

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// This process's environment with the given variables in place of its own.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& variables)
{
    const auto nameOf = [](const std::string& variable) { return variable.substr(0, variable.find('=')); };
    std::vector<std::string> environment;
    for (char** inherited = environ; *inherited; ++inherited) {
        const std::string variable = *inherited;
        if (std::none_of(variables.begin(), variables.end(),
                         [&](const std::string& given) { return nameOf(given) == nameOf(variable); }))
            environment.push_back(variable);
    }
    environment.insert(environment.end(), variables.begin(), variables.end());
    return environment;
}

// The texts the tests expect are the Japanese ones, as the texts are written, whatever the
// machine's locale; a test that names a locale variable chooses the language itself.
std::vector<std::string> WithLocale(std::vector<std::string> variables)
{
    const bool chosen = std::any_of(variables.begin(), variables.end(), [](const std::string& variable) {
        return variable.starts_with("LC_ALL=") || variable.starts_with("LC_MESSAGES=") || variable.starts_with("LANG=");
    });
    if (!chosen) variables.push_back("LC_ALL=C.UTF-8");
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

TCliResult RunCli(const std::vector<std::string>& arguments)
{
    return TCliProcess(arguments).Wait();
}

TCliProcess::TCliProcess(const std::vector<std::string>& arguments, const TOptions& options)
{
    std::vector<std::string> words{QUILMO_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = Pointers(words);
    std::vector<std::string> variables = EnvironmentWith(WithLocale(options.Environment));
    std::vector<char*> envp = Pointers(variables);

    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    if (pipe(input) != 0 || (options.ClosedOutput && pipe(output) != 0))
        throw std::runtime_error("cannot make the pipes of quilmo-cli");
    // Nobody will read what it writes.
    if (options.ClosedOutput) close(output[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    if (options.ClosedOutput)
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (FScratch / "out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (FScratch / "err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // The signals that end it do so even when this process was started ignoring them.
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending, signal);
    posix_spawnattr_setsigdefault(&attributes, &ending);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int error = posix_spawn(&FPid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    if (options.ClosedOutput) close(output[1]);
    if (error != 0) {
        close(input[1]);
        throw std::runtime_error("cannot start quilmo-cli");
    }
    FGroup = FPid;
    // Small inputs fit the pipe, so this does not wait for the reader.
    if (!options.Input.empty() && write(input[1], options.Input.data(), options.Input.size()) < 0)
        ADD_FAILURE() << "cannot write the input of quilmo-cli";
    close(input[1]);
}

TCliProcess::~TCliProcess()
{
    if (FGroup > 0) kill(-FGroup, SIGKILL);
    if (FPid > 0) waitpid(FPid, nullptr, 0);
}

std::string TCliProcess::Out() const
{
    return ReadAll(FScratch / "out");
}

TCliResult TCliProcess::Wait()
{
    TCliResult result;
    int status = 0;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    pid_t ended = 0;
    while ((ended = waitpid(FPid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (ended == FPid) {
        FPid = -1;
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    } else {
        result.Status = 124;
    }
    result.Out = ReadAll(FScratch / "out");
    result.Err = ReadAll(FScratch / "err");
    return result;
}

std::vector<TNoRegularFile> MakeNoRegularFiles(const TScratchFolder& folder)
{
    const std::filesystem::path pipe = folder / "pipe.bmp";
    const std::filesystem::path album = folder / "album.bmp";
    const std::filesystem::path device = folder / "device.bmp";
    if (mkfifo(pipe.c_str(), 0600) != 0 || !std::filesystem::create_directory(album))
        throw std::runtime_error("cannot make a named pipe and a folder in " + folder.Path().string());
    std::filesystem::create_symlink("/dev/zero", device);
    return {{pipe.string(), "通常のファイルではありません"},
            {album.string(), "Is a directory"},
            {device.string(), "通常のファイルではありません"}};
}

}  // namespace quilmo::test
