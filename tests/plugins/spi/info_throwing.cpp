// Announces one format, then throws when asked for the next one.

#include <stdexcept>

#include "plugins/spi_export.h"

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    static constexpr const char* kTexts[] = {"00IN", "Test plug-in whose GetPluginInfo throws", "*.thi"};
    if (infoNumber > 2) throw std::out_of_range("GetPluginInfo");
    return quilmo::spi::CopyPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
