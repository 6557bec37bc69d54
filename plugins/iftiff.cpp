// iftiff.spi: the import plug-in for TIFF pictures that ships with Quilmo.

#include "plugins/plugin_entry.h"
#include "plugins/tiff/tiff_reader.h"

namespace {
constexpr const char* kInfo[] = {"00IN", "Quilmo TIFF reader", "*.tif", "TIFF picture", "*.tiff", "TIFF picture"};
}  // namespace

const quilmo::spi::TImportPlugin quilmo::spi::kImportPlugin{kInfo, quilmo::spi::LooksLikeTiff,
                                                             quilmo::spi::DecodeTiff};
