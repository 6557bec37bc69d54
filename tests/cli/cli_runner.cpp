#include "cli_runner.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include <sys/stat.h>
#include <sys/wait.h>

namespace quilmo::test {

namespace {

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TCliResult RunCli(const std::vector<std::string>& arguments)
{
    TScratchFolder scratch;
    std::string command = "timeout 120 " + Quote(QUILMO_CLI);
    for (const std::string& a : arguments) command += " " + Quote(a);
    command += " >" + Quote((scratch / "out").string()) + " 2>" + Quote((scratch / "err").string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    TCliResult result;
    result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.Out = ReadAll(scratch / "out");
    result.Err = ReadAll(scratch / "err");
    return result;
}

TScratchFolder::TScratchFolder()
{
    std::random_device random;
    FPath = std::filesystem::temp_directory_path() / ("quilmo-test-" + std::to_string(random()));
    std::filesystem::create_directories(FPath);
}

TScratchFolder::~TScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::vector<TNoRegularFile> MakeNoRegularFiles(const TScratchFolder& folder)
{
    const std::filesystem::path pipe = folder / "pipe.bmp";
    const std::filesystem::path album = folder / "album.bmp";
    const std::filesystem::path device = folder / "device.bmp";
    if (mkfifo(pipe.c_str(), 0600) != 0 || !std::filesystem::create_directory(album))
        throw std::runtime_error("cannot make a named pipe and a folder in " + folder.Path().string());
    std::filesystem::create_symlink("/dev/zero", device);
    return {{pipe.string(), "Not a regular file"},
            {album.string(), "Is a directory"},
            {device.string(), "Not a regular file"}};
}

}  // namespace quilmo::test
