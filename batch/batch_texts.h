#pragma once
// What the batch windows say.

#include <cstdint>
#include <string>

#include "bigbitmap/ui_text.h"

namespace quilmo {

inline constexpr const char* kBatchStoppedLine = UI_TEXT("quilmo", "処理を中止しました");
inline constexpr const char* kBatchCompletedLine = UI_TEXT("quilmo", "・・・バッチ処理完了！");
inline constexpr const char* kBatchDoneMark = UI_TEXT("quilmo", "------完了");
inline constexpr const char* kBatchErrorMark = UI_TEXT("quilmo", "------エラー");

inline constexpr const char* kOverwriteQuestion = UI_TEXT(
    "quilmo", "同一フォルダー・同名保存では、元ファイルが上書きされます。上書きで一括処理を行いますか？");
inline constexpr const char* kPrintQuestion = UI_TEXT("quilmo", "一括印刷を行いますか？");
inline constexpr const char* kPrintAborted = UI_TEXT("quilmo", "印刷を中止しました");

// The progress line of pair k: "3行目処理中".
inline std::string PairLineText(int32_t k)
{
    return FillIn(UiText(UI_TEXT("quilmo", "%1行目処理中")), std::to_string(k));
}

}  // namespace quilmo
