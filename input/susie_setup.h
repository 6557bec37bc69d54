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
    bool Loaded = false;
    std::string Message;                  // the success or failure text to show
    std::vector<std::string> Extensions;  // the window's new extension list
    std::vector<TSusieMenuEntry> MenuEntries;
    std::string Filter;  // the open dialog's filter; empty: keep the default one
};

// Release the plug-ins loaded before (also their registered formats), then load those of
// folder. When none loads, Extensions is the standard list alone.
TSusieSetup SetupSusiePlugins(const std::filesystem::path& folder, bool alsoStandard);

}  // namespace quilmo
