// ifheif.spi: the import plug-in for HEIF pictures (HEIC from phones, AVIF) that ships with Quilmo.

#include "plugins/heif/heif_reader.h"
#include "plugins/plugin_entry.h"

namespace {
constexpr const char* kInfo[] = {
    "00IN",   "Quilmo HEIF reader (HEIC, HEIF, AVIF)",
    "*.heic", "HEIF picture (HEVC)",
    "*.heif", "HEIF picture",
    "*.avif", "AVIF picture",
    "*.hif",  "HEIF picture",
};
}  // namespace

const quilmo::spi::TImportPlugin quilmo::spi::kImportPlugin{kInfo, quilmo::spi::LooksLikeHeif,
                                                             quilmo::spi::DecodeHeif};
