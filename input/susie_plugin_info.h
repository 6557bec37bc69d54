#pragma once
// What a plug-in library tells about itself through GetPluginInfo.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "susie_info_list.h"

namespace quilmo {

// Formats asked of one plug-in at most: a plug-in that never stops announcing is cut off there,
// well before it could fill the list of all plug-ins on its own.
inline constexpr int32_t kMaxPluginFormats = 100;

struct TPluginInfo {
    std::optional<std::string> Description;  // none when the plug-in gives none
    std::vector<std::string> Patterns;  // the pattern of format i at index i, such as "*.pic"
};

// Asks for the API version, the description and the pattern of every format. Everything is
// asked before anything is listed, so that a library that is no import plug-in, or whose
// GetPluginInfo throws, leaves nothing behind: nullopt.
std::optional<TPluginInfo> ReadPluginInfo(TSusieModule module);

}  // namespace quilmo
