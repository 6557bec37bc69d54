#pragma once
// The image-effects program `morvane` beside Quilmo: started on its own (it outlives Quilmo),
// with the argument "c" when there is no picture to hand over, otherwise with the joined picture
// on its standard input as a copy-data record: identifier 1141 and byte length (32-bit little
// endian), then the picture as a BMP stream. The record comes from a file, so Quilmo never waits
// for the program to read it.

#include <filesystem>

namespace quilmo {

class TBigBitmap;
class TColorProfile;

inline constexpr uint32_t kCopyDataIdentifier = 1141;

class TEffectsLauncher {
public:
    explicit TEffectsLauncher(std::filesystem::path program);

    bool Available() const;
    // Starts the program with the picture (none: with "c"), in the colours of profile, which
    // reach the program converted into sRGB. A program that cannot be started is passed over in
    // silence; a record that cannot be written raises EWriteError.
    void Start(TBigBitmap* picture, const TColorProfile& profile) const;

private:
    std::filesystem::path FProgram;
};

}  // namespace quilmo
