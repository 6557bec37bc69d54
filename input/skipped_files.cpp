#include "skipped_files.h"

namespace quilmo {

std::string SkippedFilesMessage(const std::vector<TSkippedFile>& files)
{
    std::string message = UiText(UI_TEXT("quilmo", "次のファイルを読み込めませんでした。")) + "\n";
    for (const TSkippedFile& file : files) message += "\n" + file.Name + ": " + file.Reason;
    return message;
}

}  // namespace quilmo
