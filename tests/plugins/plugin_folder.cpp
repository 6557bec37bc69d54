#include "plugin_folder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>

#include "input/susie_errors.h"
#include "input/susie_graphic.h"
#include "input/susie_plugins.h"
#include "support/picture_checks.h"
#include "tests/plugins/spi/scripted_file.h"

namespace quilmo::test {

namespace fs = std::filesystem;

namespace {

void Append32(TBytes& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

TPluginFolder::TPluginFolder(std::initializer_list<std::string> plugins)
{
    for (const std::string& plugin : plugins) fs::create_symlink(BuiltPlugin(plugin), FFolder / plugin);
}

TPluginFolder::~TPluginFolder()
{
    UnloadSusiePlugins();
    UnregisterSusieGraphic();
    TakeSusieError();
}

fs::path TPluginFolder::WriteFile(const std::string& name, const TBytes& bytes) const
{
    const fs::path path = FFolder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

fs::path BuiltPlugin(const std::string& fileName)
{
    return fileName.starts_with("t_") ? fs::path(QUILMO_TEST_PLUGIN_DIR) / fileName
                                        : fs::path(QUILMO_PLUGIN_DIR) / fileName;
}

bool IsLoaded(const fs::path& path)
{
    void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

TDibBlocks DibBlocks(const TBmpSpec& spec)
{
    const TBytes bmp = MakeBmp(spec);
    const uint32_t offset = ReadLE32(bmp, 10);
    return {TBytes(bmp.begin() + 14, bmp.begin() + offset), TBytes(bmp.begin() + offset, bmp.end())};
}

TBytes ScriptedPicture(int32_t result, const TDibBlocks& blocks, uint32_t flags)
{
    TBytes out(kScriptMagic, kScriptMagic + 4);
    Append32(out, static_cast<uint32_t>(result));
    Append32(out, flags);
    Append32(out, static_cast<uint32_t>(blocks.Info.size()));
    Append32(out, static_cast<uint32_t>(blocks.Bits.size()));
    out.insert(out.end(), blocks.Info.begin(), blocks.Info.end());
    out.insert(out.end(), blocks.Bits.begin(), blocks.Bits.end());
    return out;
}

void ExpectPixels(const TBitmap& bitmap, int32_t width, const std::vector<TColor>& colours)
{
    ASSERT_EQ(bitmap.GetWidth(), width);
    ASSERT_EQ(bitmap.GetHeight(), static_cast<int32_t>(colours.size()) / width);
    for (size_t i = 0; i < colours.size(); ++i)
        EXPECT_EQ(ColourAt(bitmap, static_cast<int32_t>(i % width), static_cast<int32_t>(i / width)), colours[i])
            << "pixel " << i;
}

}  // namespace quilmo::test
