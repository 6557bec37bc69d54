#include "susie_errors.h"

#include <array>

#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// Kept per thread: files are read on several threads, each taking the code of its own read.
thread_local int32_t SusieLastError = 0;

constexpr int32_t kFirstCode = -10;
constexpr std::array<std::string_view, 23> kTexts = {
    UI_TEXT("quilmo", "Getpictureinfo: GetProcaddress　エラーの"),  // -10
    "", "", "", "", "", "", "", "",              // -9 to -2
    UI_TEXT("quilmo", "プラグインエラー:その機能はインプリメントされていない"),  // -1
    "",                                          // 0
    UI_TEXT("quilmo", "プラグインエラー:コールバックエラーの"),
    UI_TEXT("quilmo", "プラグインエラー:未知のフォーマットの"),
    UI_TEXT("quilmo", "プラグインエラー:データが壊れている"),
    UI_TEXT("quilmo", "プラグインエラー:メモリーが確保出来ない"),
    UI_TEXT("quilmo", "プラグインエラー:メモリーエラーの"),
    UI_TEXT("quilmo", "プラグインエラー:ファイルリードエラーの"),
    UI_TEXT("quilmo", "ファイルオープンエラーの"),
    UI_TEXT("quilmo", "プラグインエラーの"),
    UI_TEXT("quilmo", "Gerpicture:GetProcaddress　エラーの"),
    UI_TEXT("quilmo", "プラグイン未サポートの"),
    UI_TEXT("quilmo", "ファイルロックエラーの"),
    UI_TEXT("quilmo", "SetDibits エラーの"),  // 12
};

}  // namespace

void SetSusieError(int32_t code) { SusieLastError = code; }

int32_t TakeSusieError()
{
    const int32_t code = SusieLastError;
    SusieLastError = 0;
    return code;
}

std::string_view PluginErrorText(int32_t code)
{
    const int64_t index = int64_t{code} - kFirstCode;
    if (index < 0 || index >= static_cast<int64_t>(kTexts.size())) return {};
    return kTexts[static_cast<size_t>(index)];
}

std::string LoadErrorMessage(int32_t code)
{
    if (code == 0) return {};
    const std::string message = FillIn(UiText(UI_TEXT("quilmo", "%1ため、ファイルを開けません")),
                                       UiText(std::string(PluginErrorText(code))));
    // A translation may put the text last; a code without a text then leaves a blank at the end.
    return message.substr(0, message.find_last_not_of(' ') + 1);
}

}  // namespace quilmo
