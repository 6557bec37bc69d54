#include "tests/plugins/spi/plugin_info.h"

namespace {
constexpr const char* kTexts[] = {"00IN", "Test plug-in for MAG", "*.mag;*.mki", "MAG"};
}  // namespace

const std::span<const char* const> quilmo::test::kPluginInfo(kTexts);
