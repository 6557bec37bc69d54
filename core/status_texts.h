#pragma once
// What the status line says while the document works, and the names of slots that hold no file.

#include "bigbitmap/ui_text.h"

namespace quilmo {

inline constexpr const char* kStatusJoining = UI_TEXT("quilmo", "　画像結合中・・・・・");
inline constexpr const char* kStatusCreating = UI_TEXT("quilmo", "　画像作成中・・・・・");
inline constexpr const char* kStatusLoading = UI_TEXT("quilmo", "　ロード中・・・・・");
inline constexpr const char* kStatusRejoining = UI_TEXT("quilmo", "　画像再結合中・・・・・");
inline constexpr const char* kStatusReversing = UI_TEXT("quilmo", "　画像入れ替え中・・・・・");
inline constexpr const char* kStatusRespacing = UI_TEXT("quilmo", "　間隔変更中・・・・・");
inline constexpr const char* kStatusRelayout = UI_TEXT("quilmo", "　レイアウト変更中・・・・・");

inline constexpr const char* kBlankPageName = UI_TEXT("quilmo", "白紙");
inline constexpr const char* kClipboardName = UI_TEXT("quilmo", "クリップボード");
inline constexpr const char* kCopyBufferName = UI_TEXT("quilmo", "コピー画像");

}  // namespace quilmo
