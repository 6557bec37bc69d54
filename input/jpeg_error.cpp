#include "jpeg_error.h"

#include <csetjmp>

#include <jerror.h>

namespace quilmo {

namespace {

TJpegErrorManager& ManagerOf(j_common_ptr info)
{
    return *reinterpret_cast<TJpegErrorManager*>(info->err);
}

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    TJpegErrorManager& manager = ManagerOf(info);
    info->err->format_message(info, manager.Message);
    std::longjmp(manager.Jump, 1);
}

bool IsDamageWarning(int code)
{
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC: return true;
    default: return false;
    }
}

// Level -1 is a warning; the others are trace messages. Nothing is printed.
void EmitMessage(j_common_ptr info, int level)
{
    TJpegErrorManager& manager = ManagerOf(info);
    const int code = info->err->msg_code;
    if (level >= 0 || !manager.DamageIsFatal) return;
    if (code == JWRN_JPEG_EOF && manager.EndMarkerMayBeMissing) {
        manager.EndReached = true;
        return;
    }
    if (!IsDamageWarning(code)) return;
    if (manager.EndReached) info->err->msg_code = JWRN_JPEG_EOF;
    ErrorExit(info);
}

void OutputMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(TJpegErrorManager& manager, bool damageIsFatal)
{
    jpeg_std_error(&manager.Pub);
    manager.Pub.error_exit = ErrorExit;
    manager.Pub.emit_message = EmitMessage;
    manager.Pub.output_message = OutputMessage;
    manager.Message[0] = '\0';
    manager.DamageIsFatal = damageIsFatal;
    manager.EndMarkerMayBeMissing = false;
    manager.EndReached = false;
    return &manager.Pub;
}

}  // namespace quilmo
