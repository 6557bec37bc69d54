#pragma once
// What a plug-in library tells about itself through GetPluginInfo.

#include <optional>
#include <string>
#include <vector>

#include "susie_info_list.h"

namespace quilmo {

struct TPluginInfo {
    std::optional<std::string> Description;  // none when the plug-in gives none
    std::vector<std::string> Patterns;  // the pattern of format i at index i, such as "*.pic"
};

// Asks for the API version, the description and the pattern of every format. Everything is
// asked before anything is listed, so that a library that is no import plug-in, or whose
// GetPluginInfo throws, leaves nothing behind: nullopt.
std::optional<TPluginInfo> ReadPluginInfo(TSusieModule module);

}  // namespace quilmo
