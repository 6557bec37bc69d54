#pragma once
// Fixtures of the plug-in host tests: folders of chosen plug-ins, scripted picture files for the
// test plug-ins, DIB blocks, and the check of decoded pixels.

#include <filesystem>
#include <initializer_list>
#include <string>

#include "bigbitmap/bitmap.h"
#include "support/bmp_builder.h"
#include "support/scratch_folder.h"

namespace quilmo::test {

// A temporary folder with links to the chosen plug-ins (file names such as "t_jpgpic.spi" of
// the test plug-ins, or "ifpnm.spi" of the shipped ones). Leaving it unloads every plug-in,
// unregisters their formats, clears the last plug-in error and removes the folder.
class TPluginFolder {
public:
    explicit TPluginFolder(std::initializer_list<std::string> plugins = {});
    ~TPluginFolder();
    TPluginFolder(const TPluginFolder&) = delete;
    TPluginFolder& operator=(const TPluginFolder&) = delete;

    const std::filesystem::path& Path() const { return FFolder.Path(); }
    // Write a file into the folder and return its path.
    std::filesystem::path WriteFile(const std::string& name, const TBytes& bytes) const;

private:
    TScratchFolder FFolder;
};

// Where the build put a plug-in.
std::filesystem::path BuiltPlugin(const std::string& fileName);
// Whether the library at path is loaded in this process.
bool IsLoaded(const std::filesystem::path& path);

// The two blocks of a DIB as a plug-in returns them, cut from a BMP file.
struct TDibBlocks {
    TBytes Info;
    TBytes Bits;
};
TDibBlocks DibBlocks(const TBmpSpec& spec);
// A file that makes the test plug-ins' GetPicture return result and these blocks.
TBytes ScriptedPicture(int32_t result, const TDibBlocks& blocks, uint32_t flags = 0);

// Expects a picture width pixels wide with these colours, row by row from the top left.
void ExpectPixels(const TBitmap& bitmap, int32_t width, const std::vector<TColor>& colours);

}  // namespace quilmo::test
