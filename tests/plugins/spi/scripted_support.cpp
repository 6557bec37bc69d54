// IsSupported of the test plug-ins: they read "scripted" files, which start with "QSPI". The
// start of the file each call was given is kept for the tests to look at.

#include <cstring>

#include "plugins/spi_export.h"
#include "tests/plugins/spi/scripted_file.h"

namespace {

uint8_t lastFileStart[quilmo::test::kFileStartSize + 1];

}  // namespace

SPI_EXPORT const uint8_t* TestLastFileStart() { return lastFileStart; }

int32_t IsSupported(const char*, const void* fileStart)
{
    std::memcpy(lastFileStart, fileStart, sizeof lastFileStart);
    return std::memcmp(fileStart, quilmo::test::kScriptMagic, 4) == 0 ? 1 : 0;
}
