#pragma once
// Reading picture files from any thread. Each file is decoded by the class of its extension;
// import plug-ins read one file at a time, since they keep state between calls and report
// failures through one shared error code.

#include <cstdint>
#include <memory>
#include <string>

#include "bigbitmap/graphic.h"
#include "color/color_profile.h"

namespace quilmo {

class TBigBitmap;

struct TPictureRead {
    std::unique_ptr<TGraphic> Picture;  // none when the file could not be read
    int32_t PluginError = 0;            // the plug-in's error code when one failed
    std::string Error;                  // the reason otherwise
    TColorProfile Profile;              // the colours of the picture's numbers
};

// Never raises.
TPictureRead ReadPictureFile(const std::string& path);

// picture as 24-bit pixels in work: a compressed picture gives up the pixels its load decoded
// (decoding them now if only its header was read), any other is converted.
void TakeWorkingCopy(TGraphic& picture, TBigBitmap& work);

}  // namespace quilmo
