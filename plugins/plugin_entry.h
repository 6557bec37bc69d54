#pragma once
// The exported functions of an import plug-in that ships with Quilmo are all alike: each
// plug-in defines kImportPlugin, and plugin_entry.cpp, built into every one of them, answers the
// host from it.

#include <cstddef>
#include <cstdint>
#include <span>

#include "plugins/get_picture.h"

namespace quilmo::spi {

struct TImportPlugin {
    // API version, description, then pattern and name of each format (GetPluginInfo's numbers).
    std::span<const char* const> Info;
    // Whether the first bytes of a file (at least 2 KiB, zero-padded) are the plug-in's format.
    bool (*LooksLike)(const uint8_t* data, size_t size);
    TDecodeFunction Decode;
};

extern const TImportPlugin kImportPlugin;

}  // namespace quilmo::spi
