#pragma once
// What the batch windows say.

#include <cstdint>
#include <string>

namespace quilmo {

inline constexpr const char* kBatchStoppedLine = "処理を中止しました";
inline constexpr const char* kBatchCompletedLine = "・・・バッチ処理完了！";
inline constexpr const char* kBatchDoneMark = "------完了";
inline constexpr const char* kBatchErrorMark = "------エラー";

inline constexpr const char* kOverwriteQuestion =
    "同一フォルダー・同名保存では、元ファイルが上書きされます。上書きで一括処理を行いますか？";
inline constexpr const char* kPrintQuestion = "一括印刷を行いますか？";
inline constexpr const char* kPrintAborted = "印刷を中止しました";

// The progress line of pair k: "3行目処理中".
inline std::string PairLineText(int32_t k)
{
    return std::to_string(k) + "行目処理中";
}

}  // namespace quilmo
