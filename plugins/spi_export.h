#pragma once
// The functions an import plug-in exports (C linkage, visible from the library; everything else
// stays hidden), and the usual way of answering GetPluginInfo.

#include <cstdint>
#include <span>

#include "input/susie_api.h"

#define SPI_EXPORT extern "C" __attribute__((visibility("default")))

SPI_EXPORT SusieGetPluginInfo GetPluginInfo;
SPI_EXPORT SusieIsSupported IsSupported;
SPI_EXPORT SusieGetPicture GetPicture;
SPI_EXPORT SusieConfigurationDlg ConfigurationDlg;

namespace quilmo::spi {

// texts[number] into buffer, cut to length - 1 characters and terminated. Returns the
// characters written; 0 when number is past the table or the buffer holds nothing.
inline int32_t CopyPluginInfo(std::span<const char* const> texts, int32_t number, char* buffer,
                              int32_t length)
{
    if (number < 0 || static_cast<size_t>(number) >= texts.size() || !buffer || length <= 0) return 0;
    int32_t written = 0;
    for (const char* text = texts[static_cast<size_t>(number)]; *text && written < length - 1; ++text)
        buffer[written++] = *text;
    buffer[written] = '\0';
    return written;
}

}  // namespace quilmo::spi
