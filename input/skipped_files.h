#pragma once
// Files a load passed over without a message of their own, told to the user in one message.

#include <string>
#include <vector>

#include "bigbitmap/ui_text.h"

namespace quilmo {

inline constexpr const char* kFileNotFound = UI_TEXT("quilmo", "ファイルが見つかりません");

struct TSkippedFile {
    std::string Name;
    std::string Reason;
};

// A heading, then one line a file: its name and why it was not read.
std::string SkippedFilesMessage(const std::vector<TSkippedFile>& files);

}  // namespace quilmo
