#include "susie_errors.h"

#include <array>

namespace quilmo {

namespace {

// Kept per thread: files are read on several threads, each taking the code of its own read.
thread_local int32_t SusieLastError = 0;

constexpr int32_t kFirstCode = -10;
constexpr std::array<std::string_view, 23> kTexts = {
    "Getpictureinfo: GetProcaddress　エラーの",  // -10
    "", "", "", "", "", "", "", "",              // -9 to -2
    "プラグインエラー:その機能はインプリメントされていない",  // -1
    "",                                          // 0
    "プラグインエラー:コールバックエラーの",
    "プラグインエラー:未知のフォーマットの",
    "プラグインエラー:データが壊れている",
    "プラグインエラー:メモリーが確保出来ない",
    "プラグインエラー:メモリーエラーの",
    "プラグインエラー:ファイルリードエラーの",
    "ファイルオープンエラーの",
    "プラグインエラーの",
    "Gerpicture:GetProcaddress　エラーの",
    "プラグイン未サポートの",
    "ファイルロックエラーの",
    "SetDibits エラーの",  // 12
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
    return std::string(PluginErrorText(code)) + "ため、ファイルを開けません";
}

}  // namespace quilmo
