#include "held_picture.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "plugin_folder.h"
#include "tests/plugins/spi/scripted_file.h"

namespace quilmo::test {

namespace {

std::filesystem::path Marker(const std::filesystem::path& picture, const char* suffix)
{
    return picture.string() + suffix;
}

}  // namespace

THeldPicture::THeldPicture(std::filesystem::path path, const TBmpSpec& spec) : FPath(std::move(path))
{
    const TBytes bytes = ScriptedPicture(0, DibBlocks(spec), kScriptHoldUntilReleased);
    std::ofstream(FPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

THeldPicture::~THeldPicture() { Release(); }

bool THeldPicture::IsHeld() const { return std::filesystem::exists(Marker(FPath, kHeldSuffix)); }

void THeldPicture::WaitUntilHeld() const
{
    while (!IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void THeldPicture::Release() const
{
    const std::ofstream released(Marker(FPath, kReleasedSuffix));
}

}  // namespace quilmo::test
