#pragma once
// The help layout of quilmo-cli: CLI11's, in the user's language, except that a positional
// taking a range of values says so in the usage line ("IN(1 to 6)") where CLI11 gives only the
// least number ("IN(1x)").

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace quilmo::cli {

class TUsageFormatter : public CLI::Formatter {
public:
    TUsageFormatter();
    std::string make_option_usage(const CLI::Option* option) const override;
    // The heading of a group of options is its name in the user's language.
    std::string make_group(std::string group, bool positional, std::vector<const CLI::Option*> options) const override;
};

// The help option and the headings of the options and commands of app in the user's language;
// set before the options and commands are added, which take them.
void UseLocaleHeadings(CLI::App& app);

}  // namespace quilmo::cli
