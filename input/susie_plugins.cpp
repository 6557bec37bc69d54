#include "susie_plugins.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <shared_mutex>
#include <vector>

#include "susie_errors.h"
#include "susie_graphic.h"
#include "susie_plugin_info.h"

namespace quilmo {

namespace fs = std::filesystem;

TsusieinfoList SusiePlugins(16, 1);

namespace {

// Defined before unloadAtExit, so that it outlives it.
std::shared_mutex gPluginsLock;
// How many TSusiePluginsInUse and TSusiePluginsChange this thread holds.
thread_local int tUsing = 0;
thread_local int tChanging = 0;

// Plug-ins stay loaded until the program ends at the latest.
struct TUnloadAtExit {
    ~TUnloadAtExit() { UnloadSusiePlugins(); }
} unloadAtExit;

std::string Lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// The *.spi files of folder, sorted by name so that the search order does not depend on the
// file system. Only regular files (also behind links): dlopen would wait on a named pipe.
std::vector<fs::path> PluginFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (Lower(entry.path().extension().string()) == ".spi" && entry.is_regular_file(error))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return files;
}

// ".pic" for "*.PIC": from the last dot on, lower case; empty when there is no dot.
std::string ExtensionOfPattern(std::string_view pattern)
{
    const size_t dot = pattern.rfind('.');
    return dot == std::string_view::npos ? std::string() : Lower(pattern.substr(dot));
}

// "pic" for "ifpic.spi": the name without its "if" prefix and ".spi" suffix.
std::string FormatDescription(const std::string& fileName)
{
    return fileName.size() > 6 ? fileName.substr(2, fileName.size() - 6) : std::string();
}

// Adds the entries of one loaded library, as many as the list has room for; returns how many
// it added.
int AddPluginFormats(TSusieModule module, const std::string& fileName, const TPluginInfo& info, bool alsoStandard)
{
    int added = 0;
    for (size_t format = 0; format < info.Patterns.size() && SusiePlugins.Count() < TsusieinfoList::kMaxEntries;
         ++format) {
        const std::string& pattern = info.Patterns[format];
        const std::string extension = ExtensionOfPattern(pattern);
        if (extension.empty() || (!alsoStandard && IsStandardFormat(pattern))) continue;
        Tsusieinfo entry;
        SetFieldText(entry.Extension, extension, true);
        if (format == 0) SetFieldText(entry.FileName, fileName, true);
        if (info.Description) SetFieldText(entry.Description, *info.Description, false);
        entry.Module = module;
        SusiePlugins.Add(entry);
        ++added;
        // The entry's text, which the field may have cut, is also what the window lists.
        RegisterSusieGraphic(FieldText(entry.Extension), FormatDescription(fileName));
    }
    return added;
}

}  // namespace

TSusiePluginsInUse::TSusiePluginsInUse() : FLocked(tUsing == 0 && tChanging == 0)
{
    if (FLocked) gPluginsLock.lock_shared();
    ++tUsing;
}

TSusiePluginsInUse::~TSusiePluginsInUse()
{
    --tUsing;
    if (FLocked) gPluginsLock.unlock_shared();
}

TSusiePluginsChange::TSusiePluginsChange() : FLocked(tChanging == 0)
{
    if (FLocked) gPluginsLock.lock();
    ++tChanging;
}

TSusiePluginsChange::~TSusiePluginsChange()
{
    --tChanging;
    if (FLocked) gPluginsLock.unlock();
}

void* SusieSymbol(TSusieModule module, const char* name) { return dlsym(module, name); }

bool IsStandardFormat(std::string_view pattern)
{
    static const std::set<std::string, std::less<>> standard = {
        ".bmp", ".jpg", ".jpe", ".gif", ".jpeg", ".png",
        "*.bmp", "*.jpg", "*.jpe", "*.gif", "*.jpeg", "*.png"};
    return standard.contains(Lower(pattern));
}

bool LoadSusiePlugins(const fs::path& folder, bool alsoStandard)
{
    const TSusiePluginsChange change;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return false;
    for (const fs::path& file : PluginFiles(folder)) {
        TSusieModule module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) continue;
        // The same library reached twice (the user's folder holding a shipped plug-in) is
        // listed once, and released as often as it was opened.
        if (SusiePlugins.IndexOfModule(module) >= 0) {
            dlclose(module);
            continue;
        }
        const std::optional<TPluginInfo> info = ReadPluginInfo(module);
        int added = 0;
        try {
            if (info) added = AddPluginFormats(module, file.filename().string(), *info, alsoStandard);
        } catch (...) {
            if (SusiePlugins.IndexOfModule(module) < 0) dlclose(module);
            throw;
        }
        if (added == 0) dlclose(module);
    }
    return SusiePlugins.Count() > 0;
}

void UnloadSusiePlugins()
{
    const TSusiePluginsChange change;
    std::set<TSusieModule> released;
    for (int i = 0; i < SusiePlugins.Count(); ++i) {
        const TSusieModule module = SusiePlugins.Get(i).Module;
        if (released.insert(module).second) dlclose(module);
    }
    SusiePlugins.Clear();
}

void CopySusiePlugins(TsusieinfoList& target)
{
    const TSusiePluginsInUse inUse;
    target.Assign(SusiePlugins);
}

std::optional<int32_t> FindSupportingPlugin(const std::string& fileName, const void* fileStart,
                                            TSusieModule& module)
{
    const TSusiePluginsInUse inUse;
    for (int i = 0; i < SusiePlugins.Count(); ++i) {
        module = SusiePlugins.Get(i).Module;
        auto* isSupported = SusieFunction<SusieIsSupported>(module, "IsSupported");
        if (!isSupported) continue;
        const std::optional<int32_t> supported = CallPlugin(isSupported, fileName.c_str(), fileStart);
        if (!supported || *supported != 0) return supported;
    }
    return 0;
}

int32_t CallConfigurationDlg(TSusieModule module, void* parentWindow, int32_t functionNumber)
{
    const TSusiePluginsInUse inUse;
    auto* configurationDlg = SusieFunction<SusieConfigurationDlg>(module, "ConfigurationDlg");
    if (!configurationDlg) return 1;
    return CallPlugin(configurationDlg, parentWindow, functionNumber).value_or(kSusieInternalError);
}

std::optional<std::string> ShowPluginInformation(TSusieModule module, void* parentWindow)
{
    // A menu item may outlive its plug-in, and dlsym on a released handle reads freed memory.
    const TSusiePluginsInUse inUse;
    const int index = SusiePlugins.IndexOfModule(module);
    if (index < 0) return std::nullopt;
    if (CallConfigurationDlg(module, parentWindow, 1) == 0) return std::nullopt;
    return FieldText(SusiePlugins.Get(index).Description);
}

}  // namespace quilmo
