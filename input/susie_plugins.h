#pragma once
// The import plug-in host: the plug-in libraries of a folder, loaded with dlopen, and the list of
// the file extensions they read.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "susie_api.h"
#include "susie_info_list.h"

namespace quilmo {

// The loaded plug-ins, one entry per announced extension, in loading order.
extern TsusieinfoList SusiePlugins;

// Held by a thread while it looks into SusiePlugins or runs plug-in code. Loading and releasing
// plug-ins (TSusiePluginsChange) waits until no other thread holds one, so no library is released
// under a thread that runs it and no thread sees the list half changed. Either may be taken again
// on a thread that holds one already.
class TSusiePluginsInUse {
public:
    TSusiePluginsInUse();
    ~TSusiePluginsInUse();
    TSusiePluginsInUse(const TSusiePluginsInUse&) = delete;
    TSusiePluginsInUse& operator=(const TSusiePluginsInUse&) = delete;

private:
    bool FLocked;
};

// Held while plug-ins are loaded or released.
class TSusiePluginsChange {
public:
    TSusiePluginsChange();
    ~TSusiePluginsChange();
    TSusiePluginsChange(const TSusiePluginsChange&) = delete;
    TSusiePluginsChange& operator=(const TSusiePluginsChange&) = delete;

private:
    bool FLocked;
};

// True for the patterns of the formats Quilmo reads itself (".jpg", "*.PNG", ...).
bool IsStandardFormat(std::string_view pattern);

// Load every import plug-in (*.spi) of folder, in name order, and register the plug-in graphic
// for each extension it announces; without alsoStandard, announced standard formats are left to
// the built-in decoders. Libraries that are no import plug-in or announce nothing usable are
// released again, as are those whose GetPluginInfo throws. Formats past kMaxPluginFormats of one
// plug-in, and those that no longer fit into the list, are left out. Adds to SusiePlugins; true
// when it then holds an entry.
bool LoadSusiePlugins(const std::filesystem::path& folder, bool alsoStandard);
// Release every loaded library once and empty SusiePlugins. The registered graphic stays: see
// UnregisterSusieGraphic.
void UnloadSusiePlugins();
void CopySusiePlugins(TsusieinfoList& target);

// Ask the plug-ins in list order whether they read the file whose first bytes are fileStart.
// module becomes the last plug-in asked; returns its answer (0: none reads the file), nullopt
// when that plug-in threw.
std::optional<int32_t> FindSupportingPlugin(const std::string& fileName, const void* fileStart,
                                            TSusieModule& module);
// The plug-in's settings dialog; 1 when the plug-in has none, kSusieInternalError when it threw.
int32_t CallConfigurationDlg(TSusieModule module, void* parentWindow, int32_t functionNumber);
// The click on a plug-in's information item: its settings dialog, or else its description for
// the information window (nullopt when the dialog was shown or the plug-in is not loaded; a
// module that is not loaded is not asked).
std::optional<std::string> ShowPluginInformation(TSusieModule module, void* parentWindow);

// An exported function of a loaded plug-in, or null.
void* SusieSymbol(TSusieModule module, const char* name);
template <typename F>
F* SusieFunction(TSusieModule module, const char* name)
{
    return reinterpret_cast<F*>(SusieSymbol(module, name));
}

// Call a plug-in function. Plug-ins are often C++ inside, and an exception thrown in one must
// not unwind through the host: it ends the call with nullopt.
template <typename F, typename... Args>
std::optional<int32_t> CallPlugin(F* function, Args... args) noexcept
{
    try {
        return function(args...);
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace quilmo
