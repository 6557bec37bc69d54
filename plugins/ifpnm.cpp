// ifpnm.spi: the import plug-in for Netpbm pictures that ships with Quilmo.

#include "plugins/plugin_entry.h"
#include "plugins/pnm/pnm_reader.h"

namespace {
constexpr const char* kInfo[] = {
    "00IN",  "Quilmo Netpbm reader (PBM, PGM, PPM)",
    "*.pnm", "Portable anymap",
    "*.ppm", "Portable pixmap",
    "*.pgm", "Portable graymap",
    "*.pbm", "Portable bitmap",
};

// Only the magic number and the separator after it: the rest may lie past what the host shows.
bool LooksLikePnmStart(const uint8_t* data, size_t) { return quilmo::spi::LooksLikePnm(data, 3); }
}  // namespace

const quilmo::spi::TImportPlugin quilmo::spi::kImportPlugin{kInfo, LooksLikePnmStart, quilmo::spi::DecodePnm};
