// ifwebp.spi: the import plug-in for WebP pictures that ships with Quilmo.

#include "plugins/plugin_entry.h"
#include "plugins/webp/webp_reader.h"

namespace {
constexpr const char* kInfo[] = {"00IN", "Quilmo WebP reader", "*.webp", "WebP picture"};
}  // namespace

const quilmo::spi::TImportPlugin quilmo::spi::kImportPlugin{kInfo, quilmo::spi::LooksLikeWebp,
                                                             quilmo::spi::DecodeWebp};
