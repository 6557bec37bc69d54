#include "join_color_space.h"

namespace quilmo {

TColorProfile JoinedColorSpace(std::span<const TColorProfile> pictures, TColorSpaceChoice choice)
{
    if (choice == TColorSpaceChoice::SRGB) return {};
    const TColorProfile* shared = nullptr;
    for (const TColorProfile& profile : pictures) {
        if (profile.IsSRGB()) continue;
        if (shared && !(*shared == profile)) return {};
        shared = &profile;
    }
    if (!shared || !shared->IsJoinable()) return {};
    return *shared;
}

}  // namespace quilmo
