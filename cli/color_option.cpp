#include "color_option.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

CLI::Validator ColorText()
{
    return CLI::Validator(
        [](const std::string& text) {
            const bool hex = text.size() == 6 &&
                             text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
            return hex ? std::string() : UiText(UI_TEXT("quilmo", "16 進数 6 桁の RRGGBB で指定してください"));
        },
        "RRGGBB");
}

TColor ParseColor(const std::string& text)
{
    const auto value = static_cast<uint32_t>(std::stoul(text, nullptr, 16));
    return RGBColor(static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                    static_cast<uint8_t>(value));
}

}  // namespace quilmo::cli
