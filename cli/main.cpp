// quilmo-cli: Quilmo's picture engine from the shell.

#include <cstdio>
#include <exception>
#include <memory>

#include <CLI/CLI.hpp>

#include "commands.h"
#include "ending_signals.h"
#include "input/graphic_registry.h"
#include "pixel_limit_option.h"
#include "plugin_option.h"
#include "quilmo_version.h"
#include "usage_formatter.h"

int main(int argc, char** argv)
{
    quilmo::RegisterStandardGraphicFormats();
    CLI::App app{"Quilmo: join pictures side by side or stacked, from the shell."};
    app.require_subcommand(1);
    app.set_version_flag("--version", "quilmo-cli " QUILMO_VERSION, "Print the version and exit");
    // Before the commands are added: each takes the formatter of the application.
    app.formatter(std::make_shared<quilmo::cli::TUsageFormatter>());
    quilmo::cli::AddPluginOption(app);
    quilmo::cli::AddPixelLimitOption(app);
    quilmo::cli::AddPictureCommands(app);
    quilmo::cli::AddResizeCommand(app);
    quilmo::cli::AddJoinCommand(app);
    quilmo::cli::AddBatchCommand(app);
    // Every command may be saving a file when it is ended.
    const quilmo::cli::TEndingSignals ending;
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    } catch (const quilmo::cli::ERefused& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
