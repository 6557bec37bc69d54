#include "usage_formatter.h"

#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

namespace {

// The group CLI11 puts options in when they are given none.
constexpr const char* kOptionsGroup = "Options";

}  // namespace

TUsageFormatter::TUsageFormatter()
{
    label("Usage", UiText(UI_TEXT("quilmo", "使い方")));
    label("OPTIONS", UiText(UI_TEXT("quilmo", "オプション")));
    label(kOptionsGroup, UiText(UI_TEXT("quilmo", "オプション一覧")));
    label("Positionals", UiText(UI_TEXT("quilmo", "引数")));
    label("SUBCOMMAND", UiText(UI_TEXT("quilmo", "コマンド")));
    label("REQUIRED", UiText(UI_TEXT("quilmo", "必須")));
    label("Needs", UiText(UI_TEXT("quilmo", "必要")));
    label("Excludes", UiText(UI_TEXT("quilmo", "同時に使えない")));
}

std::string TUsageFormatter::make_option_usage(const CLI::Option* option) const
{
    const int least = option->get_expected_min();
    const int most = option->get_expected_max();
    if (least == most || most >= CLI::detail::expected_max_vector_size)
        return Formatter::make_option_usage(option);
    const std::string usage = make_option_name(option, true) + "(" +
                              FillIn(UiText(UI_TEXT("quilmo", "%1 から %2")),
                                     {std::to_string(least), std::to_string(most)}) +
                              ")";
    return option->get_required() ? usage : "[" + usage + "]";
}

std::string TUsageFormatter::make_group(std::string group, bool positional,
                                        std::vector<const CLI::Option*> options) const
{
    return Formatter::make_group(get_label(group), positional, std::move(options));
}

void UseLocaleHeadings(CLI::App& app)
{
    app.formatter(std::make_shared<TUsageFormatter>());
    app.group(UiText(UI_TEXT("quilmo", "コマンド一覧")));
    app.set_help_flag("-h,--help", UiText(UI_TEXT("quilmo", "このヘルプを表示して終了する")));
    app.failure_message([](const CLI::App* failed, const CLI::Error& error) {
        return std::string(error.what()) + "\n" + UiText(UI_TEXT("quilmo", "詳しくは --help を付けて実行してください。")) + "\n";
    });
}

}  // namespace quilmo::cli
