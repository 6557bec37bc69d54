// A plug-in whose GetPicture never returns, as one stuck in a loop would.

#include <unistd.h>

#include "plugins/spi_export.h"

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    static constexpr const char* kTexts[] = {"00IN", "Test plug-in that never returns", "*.hng", "HANG"};
    return quilmo::spi::CopyPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}

int32_t IsSupported(const char*, const void*)
{
    return 1;
}

int32_t GetPicture(const char*, int32_t, uint32_t, void**, void**, SusieProgressCallback*, int32_t)
{
    for (;;) ::pause();
}
