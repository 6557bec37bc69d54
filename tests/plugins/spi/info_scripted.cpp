#include "tests/plugins/spi/plugin_info.h"

namespace {
constexpr const char* kTexts[] = {"00IN", "Scripted test plug-in", "*.qsp", "Quilmo scripted picture"};
}  // namespace

const std::span<const char* const> quilmo::test::kPluginInfo(kTexts);
