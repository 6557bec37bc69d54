#include "tests/plugins/spi/plugin_info.h"

namespace {
constexpr const char* kTexts[] = {"00IN", "Test plug-in without GetPicture", "*.nop", "NOP"};
}  // namespace

const std::span<const char* const> quilmo::test::kPluginInfo(kTexts);
