#include "pixel_limit_option.h"

#include <cstdint>

#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

void AddPixelLimitOption(CLI::App& app)
{
    // Options run before any command does, so every picture the command reads is held to it.
    app.add_option_function<int64_t>("--max-pixels", [](int64_t limit) { SetMaxPicturePixels(limit); },
                                     UiText(UI_TEXT("quilmo", "N ピクセルを超える画像を断る (既定 268435456)")))
        ->option_text("N")
        ->check(CLI::PositiveNumber);
}

}  // namespace quilmo::cli
