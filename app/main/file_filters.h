#pragma once
// File dialog filters. The program describes them as "description|patterns|..." pairs with
// patterns separated by ";"; Qt's dialogs want "description (patterns);;...".

#include <QString>
#include <string>

#include "bigbitmap/ui_text.h"

namespace quilmo {

// The descriptions come in the language in use.
QString QtFileFilter(const std::string& pairs);

// The save dialog's filter, and the open dialog's while no plug-in is loaded: the formats
// Quilmo reads itself.
// A name ending in ".webp" saves WebP; its entry comes last, so the entries of the save
// formats keep their places.
inline constexpr const char* kSaveFilter =
    UI_TEXT("quilmo", "すべてのファイル") " (*.jpg;*.bmp;*.webp)|*.jpg;*.bmp;*.webp|"
    UI_TEXT("quilmo", "JPEG イメージファイル") " (*.jpg)|*.jpg|"
    UI_TEXT("quilmo", "ビットマップ") " (*.bmp)|*.bmp|WebP (*.webp)|*.webp";
inline constexpr const char* kStandardOpenFilter =
    UI_TEXT("quilmo", "すべての画像") " (*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png)|"
    "*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png|"
    "GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|"
    UI_TEXT("quilmo", "JPEG イメージファイル") " (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|"
    UI_TEXT("quilmo", "ビットマップ") " (*.bmp)|*.bmp";

}  // namespace quilmo
