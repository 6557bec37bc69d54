#include "usage_formatter.h"

namespace quilmo::cli {

std::string TUsageFormatter::make_option_usage(const CLI::Option* option) const
{
    const int least = option->get_expected_min();
    const int most = option->get_expected_max();
    if (least == most || most >= CLI::detail::expected_max_vector_size)
        return Formatter::make_option_usage(option);
    const std::string usage = make_option_name(option, true) + "(" + std::to_string(least) +
                              " to " + std::to_string(most) + ")";
    return option->get_required() ? usage : "[" + usage + "]";
}

}  // namespace quilmo::cli
