#include "tests/plugins/spi/plugin_info.h"

namespace {
constexpr const char* kTexts[] = {"00IN", "Throwing test plug-in", "*.thr", "THR"};
}  // namespace

const std::span<const char* const> quilmo::test::kPluginInfo(kTexts);
