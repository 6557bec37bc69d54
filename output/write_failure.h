#pragma once
// The failure of a picture writer, told in the user's language with the reason after it.

#include <string>

namespace quilmo {

// Raises EWriteError "Cannot write the FORMAT picture: DETAIL".
[[noreturn]] void FailToWrite(const char* format, const std::string& detail);

}  // namespace quilmo
