#pragma once
// An option that takes one of a few names, each standing for a value. CLI11's own mapping
// prints itself as name->value, which shows nothing for a value that is no text; this one lists
// the names, in the order given, in the help and in its error.

#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "color/join_color_space.h"
#include "resample/resample.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

// For option->transform: the name, in any letter case, becomes its value's number, which
// CLI11 reads into the enumeration. Described as "{first, second, ...}".
template <typename T>
CLI::Validator Choices(const std::vector<std::pair<std::string, T>>& choices)
{
    std::string list;
    for (const auto& choice : choices) list += (list.empty() ? "" : ", ") + choice.first;
    list = "{" + list + "}";
    return CLI::Validator(
        [choices, list](std::string& input) {
            const std::string name = CLI::detail::to_lower(input);
            for (const auto& [choiceName, value] : choices) {
                if (choiceName != name) continue;
                input = std::to_string(static_cast<int>(value));
                return std::string();
            }
            return input + " is not one of " + list;
        },
        list);
}

// The join methods by name, as join and batch take them.
inline CLI::Validator JoinMethodChoices()
{
    return Choices<TResampleMethod>({{"original", rmOriginal},
                                     {"bilinear", rmBilinear},
                                     {"bicubic", rmBicubic},
                                     {"lagrange", rmLagrange},
                                     {"lanczos", rmLanczos}});
}

// --color-space, as join and batch take it.
inline void AddColorSpaceOption(CLI::App& command, TColorSpaceChoice& choice)
{
    command
        .add_option("--color-space", choice,
                    UiText(UI_TEXT("quilmo", "auto: プロファイル付きの画像がみな同じならそのプロファイルで、ほかは sRGB で (既定)。srgb: 常に sRGB に変換する")))
        ->type_name("SPACE")
        ->transform(Choices<TColorSpaceChoice>({{"auto", TColorSpaceChoice::Auto}, {"srgb", TColorSpaceChoice::SRGB}}));
}

}  // namespace quilmo::cli
