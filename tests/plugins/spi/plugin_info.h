#pragma once
// What a test plug-in answers to GetPluginInfo: each plug-in links one table of its own.

#include <span>

namespace quilmo::test {

extern const std::span<const char* const> kPluginInfo;

}  // namespace quilmo::test
