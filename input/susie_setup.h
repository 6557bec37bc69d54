#pragma once
// What the main window builds from the loaded plug-ins: the extensions it accepts by drop, the
// entries of its plug-in information menu and the filter of its open dialog.

#include <filesystem>
#include <string>
#include <vector>

#include "susie_info_list.h"

namespace quilmo {

// The extensions the built-in decoders read, in the order the window lists them.
std::vector<std::string> StandardExtensions();

struct TSusieMenuEntry {
    std::string Name;     // "plugin" + the entry's index in SusiePlugins
    std::string Caption;  // the plug-in's file name
    TSusieModule Module = nullptr;
};

struct TSusieSetup {
    bool Loaded = false;                  // the user's folder gave plug-ins
    std::string Message;                  // the success or failure text to show; empty without a user's folder
    std::vector<std::string> Extensions;  // the window's new extension list
    std::vector<TSusieMenuEntry> MenuEntries;
    std::string Filter;  // the open dialog's filter; empty: keep the default one
};

// Release the plug-ins loaded before (also their registered formats), then load those of the
// folder the user chose, if any, and after them the shipped plug-ins of shippedFolder (none when
// empty). The user's plug-ins are asked first, so they win an extension both serve. Extensions,
// menu entries and filter list every loaded plug-in, also when the user's folder gave none.
// Waits for the decodes that run with the plug-ins on other threads.
TSusieSetup SetupSusiePlugins(const std::filesystem::path& userFolder, bool alsoStandard,
                              const std::filesystem::path& shippedFolder = {});

}  // namespace quilmo
