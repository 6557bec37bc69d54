#include "plugins/plugin_entry.h"

#include "plugins/spi_export.h"

using namespace quilmo::spi;

namespace {
// The host passes at least this much of the file's start to IsSupported.
constexpr size_t kFileStartBytes = 2048;
}  // namespace

int32_t GetPluginInfo(int32_t infoNumber, char* buffer, int32_t bufferLength)
{
    return CopyPluginInfo(kImportPlugin.Info, infoNumber, buffer, bufferLength);
}

int32_t IsSupported(const char*, const void* fileStart)
{
    return kImportPlugin.LooksLike(static_cast<const uint8_t*>(fileStart), kFileStartBytes) ? 1 : 0;
}

int32_t GetPicture(const char* source, int32_t offset, uint32_t flags, void** info, void** bits,
                   SusieProgressCallback* progress, int32_t callbackData)
{
    return AnswerGetPicture(kImportPlugin.Decode, source, offset, flags, info, bits, progress, callbackData);
}
