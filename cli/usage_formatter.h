#pragma once
// The help layout of quilmo-cli: CLI11's, except that a positional taking a range of values
// says so in the usage line ("IN(1 to 6)") where CLI11 gives only the least number ("IN(1x)").

#include <string>

#include <CLI/CLI.hpp>

namespace quilmo::cli {

class TUsageFormatter : public CLI::Formatter {
public:
    std::string make_option_usage(const CLI::Option* option) const override;
};

}  // namespace quilmo::cli
