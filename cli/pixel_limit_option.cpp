#include "pixel_limit_option.h"

#include <cstdint>

#include "bigbitmap/pixel_limit.h"

namespace quilmo::cli {

void AddPixelLimitOption(CLI::App& app)
{
    // Options run before any command does, so every picture the command reads is held to it.
    app.add_option_function<int64_t>("--max-pixels", [](int64_t limit) { SetMaxPicturePixels(limit); },
                                     "Refuse pictures of more than N pixels (default 268435456)")
        ->option_text("N")
        ->check(CLI::PositiveNumber);
}

}  // namespace quilmo::cli
