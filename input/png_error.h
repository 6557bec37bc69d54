#pragma once
// libpng reports a fatal error through an error function that must not return. Ours keeps the
// message and jumps back into PngCall, which then returns false so that the caller can raise a
// C++ exception. Only library frames and these callbacks lie between the jump and its target.
// Warnings are dropped.

#include <csetjmp>

#include <png.h>

namespace quilmo {

struct TPngErrors {
    std::jmp_buf Jump;
    char Message[256] = {};
};

// The error and warning functions to hand to png_create_read_struct / png_create_write_struct,
// with the TPngErrors as their error pointer.
void PngErrorFunction(png_structp png, png_const_charp message);
void PngWarningFunction(png_structp png, png_const_charp message);

// Runs call, which makes one library call; false when the library failed (the message is in
// errors.Message).
template <typename Call>
bool PngCall(TPngErrors& errors, const Call& call)
{
    if (setjmp(errors.Jump)) return false;
    call();
    return true;
}

}  // namespace quilmo
