#pragma once
// The texts a user sees are written in Japanese, here below the windows as well. UI_TEXT marks
// one so that the translation tools collect it: they read UI_TEXT as QT_TRANSLATE_NOOP, and the
// context is always "quilmo". The windows show such a text in the user's language. A text made
// here with values in it (file names, numbers) is made from its pattern in the user's language,
// which UiText gives once the program has set a translator.

#include <functional>
#include <initializer_list>
#include <string>

#define UI_TEXT(context, text) text

namespace quilmo {

// Gives a marked text in the user's language. Set once, before any work starts.
using TTextTranslator = std::function<std::string(const std::string& text)>;
void SetTextTranslator(TTextTranslator translator);

// The marked text in the user's language; the text itself while no translator is set.
std::string UiText(const std::string& text);

// pattern with "%1" replaced by value.
std::string FillIn(const std::string& pattern, const std::string& value);
// pattern with "%1", "%2"... replaced by the values in order; the values' own text is kept as it
// is, so a file name holding "%2" stays whole. A translation may place them in another order.
std::string FillIn(const std::string& pattern, std::initializer_list<std::string> values);

}  // namespace quilmo
