#pragma once
// The desktop program's command line: arguments that start with "--" are options, everything
// else names pictures to load (after "--", everything does).

#include <string>
#include <vector>

namespace quilmo {

struct TProgramOptions {
    bool Version = false;
    bool Help = false;
    bool QuitAfterStart = false;  // open the window, load the pictures, then quit
    std::vector<std::string> Pictures;
    std::string Error;  // the option that was not understood, as a message
};

TProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// The text of --help.
std::string ProgramUsage();

}  // namespace quilmo
