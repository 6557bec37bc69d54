#include "app/shell/program_options.h"

namespace quilmo {

TProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments)
{
    TProgramOptions options;
    bool onlyPictures = false;
    for (const std::string& argument : arguments) {
        if (onlyPictures || !argument.starts_with("--")) {
            options.Pictures.push_back(argument);
        } else if (argument == "--") {
            onlyPictures = true;
        } else if (argument == "--version") {
            options.Version = true;
        } else if (argument == "--help") {
            options.Help = true;
        } else if (argument == "--quit-after-start") {
            options.QuitAfterStart = true;
        } else if (options.Error.empty()) {
            options.Error = "unknown option " + argument;
        }
    }
    return options;
}

std::string ProgramUsage()
{
    return "Usage: quilmo [OPTIONS] [PICTURE...]\n"
           "Joins pictures side by side or stacked; the pictures named are loaded into the slots.\n"
           "\n"
           "Options:\n"
           "  --version           Print the version and exit\n"
           "  --help              Print this help and exit\n"
           "  --quit-after-start  Open the window, load the pictures, then quit (a start check)\n"
           "  --                  Every argument after it is a picture\n";
}

}  // namespace quilmo
