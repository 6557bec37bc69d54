#pragma once
// Putting the windows in a language. Their texts are written in Japanese and pass through tr();
// English comes from the translation built into the program.

#include <QString>
#include <string>

#include "language_choice.h"

namespace quilmo {

// Windows made from now on, and the texts the layers below make from now on, are in language,
// Qt's own texts (the buttons of its dialogs) included.
void UseLanguage(TLanguage language);
TLanguage LanguageInUse();

// A text from the layers below (one marked with UI_TEXT) in the language in use; any other
// text as it is.
QString ShownText(const std::string& text);
// source, of the translation context, in language, whichever language is in use.
QString TextIn(TLanguage language, const char* context, const char* source);

}  // namespace quilmo
