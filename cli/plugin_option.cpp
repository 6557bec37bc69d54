#include "plugin_option.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "input/shipped_plugins.h"
#include "input/susie_setup.h"

namespace quilmo::cli {

namespace {

struct TPluginOptions {
    std::string Folder;
    bool NoShipped = false;
};

}  // namespace

void AddPluginOption(CLI::App& app)
{
    auto options = std::make_shared<TPluginOptions>();
    app.add_option("--plugins", options->Folder, "Load the import plug-ins (*.spi) of DIR before the command")
        ->option_text("DIR");
    app.add_flag("--no-shipped-plugins", options->NoShipped, "Leave out the plug-ins that ship with Quilmo");
    // After the options are read and before any command runs.
    app.parse_complete_callback([options] {
        const std::filesystem::path shipped = options->NoShipped ? std::filesystem::path()
                                                                 : ShippedPluginFolder(ProgramFolder());
        const TSusieSetup setup = SetupSusiePlugins(options->Folder, false, shipped);
        if (!options->Folder.empty() && !setup.Loaded) throw std::runtime_error(setup.Message);
    });
}

}  // namespace quilmo::cli
