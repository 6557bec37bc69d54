#include "dib_color_space.h"

#include "le_bytes.h"
#include "stream.h"

namespace quilmo {

namespace {

constexpr size_t kCSTypeOffset = 56;
constexpr size_t kEndpointsOffset = 60;
constexpr size_t kGammasOffset = 96;
constexpr size_t kProfileDataOffset = 112;
constexpr size_t kProfileSizeOffset = 116;

}  // namespace

TDIBColorSpace ParseDIBColorSpace(const uint8_t* header, size_t headerSize)
{
    TDIBColorSpace colours;
    if (headerSize < kV4HeaderSize) return colours;
    colours.CSType = GetLE32(header + kCSTypeOffset);
    for (size_t i = 0; i < colours.Endpoints.size(); ++i)
        colours.Endpoints[i] = GetLE32(header + kEndpointsOffset + 4 * i);
    for (size_t i = 0; i < colours.Gammas.size(); ++i) colours.Gammas[i] = GetLE32(header + kGammasOffset + 4 * i);
    if (headerSize < kV5HeaderSize) return colours;
    colours.ProfileData = GetLE32(header + kProfileDataOffset);
    colours.ProfileSize = GetLE32(header + kProfileSizeOffset);
    return colours;
}

std::vector<uint8_t> ReadEmbeddedProfile(TStream& stream, int64_t infoStart, const TDIBColorSpace& colours)
{
    if (colours.CSType != PROFILE_EMBEDDED || colours.ProfileSize == 0) return {};
    const int64_t kept = stream.Position();
    const int64_t start = infoStart + colours.ProfileData;
    std::vector<uint8_t> profile;
    if (start + int64_t{colours.ProfileSize} <= stream.Size() && stream.Seek(start, TSeekOrigin::soBeginning) == start) {
        profile.resize(colours.ProfileSize);
        if (stream.Read(profile.data(), colours.ProfileSize) != colours.ProfileSize) profile.clear();
    }
    stream.SetPosition(kept);
    return profile;
}

}  // namespace quilmo
