#pragma once
// File dialog filters. The program describes them as "description|patterns|..." pairs with
// patterns separated by ";"; Qt's dialogs want "description (patterns);;...".

#include <QString>
#include <cstdint>
#include <string>

#include "bigbitmap/ui_text.h"

namespace quilmo {

// The descriptions come in the language in use.
QString QtFileFilter(const std::string& pairs);

// The formats the save commands write, in the order of the main window's save format box. The
// box's index is kept in quilmo.ini, so a new format goes at the end.
enum TSaveFormat : uint8_t { sfJPG, sfBMP, sfPNG, sfWebP };
inline constexpr int kSaveFormatCount = 4;

// The extension a save in format proposes, without its dot.
const char* SaveSuffix(TSaveFormat format);
// The save dialog's filter: format's entry first, then the other formats', then all of them.
QString SaveFilter(TSaveFormat format);

// The open dialog's filter while no plug-in is loaded: the formats Quilmo reads itself.
inline constexpr const char* kStandardOpenFilter =
    UI_TEXT("quilmo", "すべての画像") " (*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png)|"
    "*.bmp;*.jpg;*.jpeg;*.jpe;*.gif;*.png|"
    "GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|"
    UI_TEXT("quilmo", "JPEG イメージファイル") " (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|"
    UI_TEXT("quilmo", "ビットマップ") " (*.bmp)|*.bmp";

}  // namespace quilmo
