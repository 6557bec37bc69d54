#pragma once
// The functions an import plug-in exports (C linkage, visible from the library; everything else
// stays hidden), and the usual way of answering GetPluginInfo.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "input/susie_api.h"

#define SPI_EXPORT extern "C" __attribute__((visibility("default")))

SPI_EXPORT SusieGetPluginInfo GetPluginInfo;
SPI_EXPORT SusieIsSupported IsSupported;
SPI_EXPORT SusieGetPicture GetPicture;
SPI_EXPORT SusieConfigurationDlg ConfigurationDlg;
SPI_EXPORT SusieSetPixelLimit QuilmoSetPixelLimit;

namespace quilmo::spi {

// texts[number] into buffer. The host reads at most length characters, so a text of exactly
// that length ("*.heic" in the 6 bytes of a pattern) fills the buffer unterminated; a longer one
// is cut to length - 1 characters and terminated. Returns the characters written; 0 when number
// is past the table or the buffer holds nothing.
inline int32_t CopyPluginInfo(std::span<const char* const> texts, int32_t number, char* buffer,
                              int32_t length)
{
    if (number < 0 || static_cast<size_t>(number) >= texts.size() || !buffer || length <= 0) return 0;
    const std::string_view text = texts[static_cast<size_t>(number)];
    const size_t fits = static_cast<size_t>(length);
    const size_t written = text.size() == fits ? fits : std::min(text.size(), fits - 1);
    std::copy_n(text.begin(), written, buffer);
    if (written < fits) buffer[written] = '\0';
    return static_cast<int32_t>(written);
}

}  // namespace quilmo::spi
