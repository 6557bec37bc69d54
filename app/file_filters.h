#pragma once
// File dialog filters. The program describes them as "description|patterns|..." pairs with
// patterns separated by ";"; Qt's dialogs want "description (patterns);;...".

#include <QString>
#include <string>

namespace quilmo {

QString QtFileFilter(const std::string& pairs);

// The save dialog's filter, and the open dialog's while no plug-in is loaded: the formats
// Quilmo reads itself.
inline constexpr const char* kSaveFilter =
    "すべてのファイル (*.jpg;*.bmp)|*.jpg;*.bmp|JPEG イメージファイル (*.jpg)|*.jpg|"
    "ビットマップ (*.bmp)|*.bmp";
inline constexpr const char* kStandardOpenFilter =
    "すべての画像 (*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png)|*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png|"
    "GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|"
    "JPEG イメージファイル (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|ビットマップ (*.bmp)|*.bmp";

}  // namespace quilmo
