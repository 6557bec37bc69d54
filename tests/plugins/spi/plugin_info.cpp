// GetPluginInfo of the test plug-ins, from their table.

#include "plugins/spi_export.h"
#include "tests/plugins/spi/plugin_info.h"

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    return quilmo::spi::CopyPluginInfo(quilmo::test::kPluginInfo, infoNumber, buffer, bufferLength);
}
