#pragma once
// A picture file that the scripted test plug-ins hold inside GetPicture until the test lets it
// go, so that a test can act while a plug-in runs on another thread.

#include <filesystem>

#include "support/bmp_builder.h"

namespace quilmo::test {

class THeldPicture {
public:
    // Writes the picture of spec to path (in a folder of the test's own), scripted to be held.
    THeldPicture(std::filesystem::path path, const TBmpSpec& spec);
    // A decode still held is let go, also when the test failed on its way.
    ~THeldPicture();
    THeldPicture(const THeldPicture&) = delete;
    THeldPicture& operator=(const THeldPicture&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // A decode of the picture is inside the plug-in.
    bool IsHeld() const;
    // Returns once one is.
    void WaitUntilHeld() const;
    void Release() const;

private:
    std::filesystem::path FPath;
};

}  // namespace quilmo::test
