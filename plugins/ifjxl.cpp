// ifjxl.spi: the import plug-in for JPEG XL pictures that ships with Quilmo.

#include "plugins/jxl/jxl_reader.h"
#include "plugins/plugin_entry.h"

namespace {
constexpr const char* kInfo[] = {"00IN", "Quilmo JPEG XL reader", "*.jxl", "JPEG XL picture"};
}  // namespace

const quilmo::spi::TImportPlugin quilmo::spi::kImportPlugin{kInfo, quilmo::spi::LooksLikeJxl,
                                                             quilmo::spi::DecodeJxl};
