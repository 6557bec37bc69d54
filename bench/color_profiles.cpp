// Writes the profiles bench/compare-color.sh labels its pictures with, as Quilmo's colour library
// makes them: display-p3.icc (P3 primaries, D65, sRGB's curve) and srgb.icc, into FOLDER.
//   color_profiles FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "color/profile_building.h"

using namespace quilmo;

namespace {

bool Write(const std::filesystem::path& path, const TColorProfile& profile)
{
    const std::span<const uint8_t> bytes = profile.Bytes();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return !bytes.empty() && file.good();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: color_profiles FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    constexpr TPrimaries kP3{{0.3127, 0.3290}, {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};
    const bool written = Write(folder / "display-p3.icc", ProfileFromPrimaries(kP3, kSRGBCurve)) &&
                         Write(folder / "srgb.icc", ProfileFromPrimaries(kSRGBPrimaries, kSRGBCurve));
    return written ? 0 : 1;
}
