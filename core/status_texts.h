#pragma once
// What the status line says while the document works, and the names of slots that hold no file.

namespace quilmo {

inline constexpr const char* kStatusJoining = "　画像結合中・・・・・";
inline constexpr const char* kStatusCreating = "　画像作成中・・・・・";
inline constexpr const char* kStatusLoading = "　ロード中・・・・・";
inline constexpr const char* kStatusRejoining = "　画像再結合中・・・・・";
inline constexpr const char* kStatusReversing = "　画像入れ替え中・・・・・";
inline constexpr const char* kStatusRespacing = "　間隔変更中・・・・・";
inline constexpr const char* kStatusRelayout = "　レイアウト変更中・・・・・";

inline constexpr const char* kBlankPageName = "白紙";
inline constexpr const char* kClipboardName = "クリップボード";
inline constexpr const char* kCopyBufferName = "コピー画像";

}  // namespace quilmo
