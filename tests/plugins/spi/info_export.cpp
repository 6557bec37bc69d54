#include "tests/plugins/spi/plugin_info.h"

namespace {
constexpr const char* kTexts[] = {"00AM", "Test export plug-in", "*.xyz", "XYZ"};
}  // namespace

const std::span<const char* const> quilmo::test::kPluginInfo(kTexts);
