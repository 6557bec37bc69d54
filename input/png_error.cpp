#include "png_error.h"

#include <cstdio>

namespace quilmo {

void PngErrorFunction(png_structp png, png_const_charp message)
{
    auto* errors = static_cast<TPngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->Message, sizeof errors->Message, "%s", message ? message : "");
    std::longjmp(errors->Jump, 1);
}

void PngWarningFunction(png_structp, png_const_charp) {}

}  // namespace quilmo
