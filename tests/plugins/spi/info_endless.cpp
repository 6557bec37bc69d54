// Announces the same format for every format number: a GetPluginInfo that never says "no more".

#include "plugins/spi_export.h"

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    static constexpr const char* kTexts[] = {"00IN", "Test plug-in that never stops announcing", "*.end", "END"};
    return quilmo::spi::CopyPluginInfo(kTexts, infoNumber < 2 ? infoNumber : 2 + infoNumber % 2, buffer, bufferLength);
}
