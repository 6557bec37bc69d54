#pragma once
// Plug-in failures travel as integer codes: the plug-in's own GetPicture result, or one of the
// host's codes below. The last one is kept until it is read.

#include <cstdint>
#include <string>
#include <string_view>

namespace quilmo {

inline constexpr int32_t kSusieDataBroken = 3;       // a block is shorter than its header says
inline constexpr int32_t kSusieCannotOpen = 7;       // the file cannot be opened
inline constexpr int32_t kSusieInternalError = 8;    // the plug-in failed inside (it threw)
inline constexpr int32_t kSusieNoGetPicture = 9;     // the plug-in does not export GetPicture
inline constexpr int32_t kSusieNotSupported = 10;    // no loaded plug-in accepts the file
inline constexpr int32_t kSusieCannotLock = 11;      // the file cannot be locked
inline constexpr int32_t kSusieCannotTransfer = 12;  // the decoded bitmap cannot be taken over

void SetSusieError(int32_t code);
// The code of the last plug-in load (0 when there was none), which is reset to 0.
int32_t TakeSusieError();

// The text for a code; empty for codes without one.
std::string_view PluginErrorText(int32_t code);
// The message shown when a file cannot be opened because of code: its text followed by
// "ため、ファイルを開けません". Empty for 0, which is no failure.
std::string LoadErrorMessage(int32_t code);

}  // namespace quilmo
