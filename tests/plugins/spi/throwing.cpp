// A plug-in that fails by throwing: IsSupported throws for files that start with "THRO" and
// accepts those that start with "THRP", whose GetPicture then throws; ConfigurationDlg throws.

#include <cstring>
#include <stdexcept>

#include "plugins/spi_export.h"

int32_t IsSupported(const char*, const void* fileStart)
{
    if (std::memcmp(fileStart, "THRO", 4) == 0) throw std::runtime_error("IsSupported");
    return std::memcmp(fileStart, "THRP", 4) == 0 ? 1 : 0;
}

int32_t GetPicture(const char*, int32_t, uint32_t, void**, void**, SusieProgressCallback*, int32_t)
{
    throw std::runtime_error("GetPicture");
}

int32_t ConfigurationDlg(void*, int32_t) { throw 1; }
