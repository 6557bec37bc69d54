#include "plugin_option.h"

#include <stdexcept>
#include <string>

#include "input/susie_setup.h"

namespace quilmo::cli {

void AddPluginOption(CLI::App& app)
{
    // Options run before any command does.
    app.add_option_function<std::string>(
           "--plugins",
           [](const std::string& folder) {
               const TSusieSetup setup = SetupSusiePlugins(folder, false);
               if (!setup.Loaded) throw std::runtime_error(setup.Message);
           },
           "Load the import plug-ins (*.spi) of DIR before the command")
        ->option_text("DIR");
}

}  // namespace quilmo::cli
