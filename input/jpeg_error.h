#pragma once
// libjpeg reports a fatal error through error_exit, which must not return. Ours keeps the
// library's message and jumps back into JpegCall, which then returns false so that the caller
// can raise a C++ exception. Only library frames and these callbacks lie between the jump and
// its target, so no C++ object with a destructor is skipped.

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace quilmo {

struct TJpegErrorManager {
    jpeg_error_mgr Pub;  // first, so the library's pointer to it leads back here
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    // Decoding: the warnings about missing or damaged data end the decoding too, so that a
    // truncated or corrupt file fails instead of giving a picture padded with grey.
    bool DamageIsFatal;
    // Decoding a file that lacks only its end-of-image marker: running out of bytes is no
    // damage in itself. Bytes missing from a scan still are, as the decoder then runs into
    // the end marker that the library puts in their place; that is reported as the end of the
    // file coming too early.
    bool EndMarkerMayBeMissing;
    bool EndReached;
};

// Installs manager as the error handler of a (de)compressor about to be created.
jpeg_error_mgr* InitJpegErrorManager(TJpegErrorManager& manager, bool damageIsFatal);

// Runs call, which makes one library call; false when the library failed (the message is in
// manager.Message).
template <typename Call>
bool JpegCall(TJpegErrorManager& manager, const Call& call)
{
    if (setjmp(manager.Jump)) return false;
    call();
    return true;
}

}  // namespace quilmo
