#pragma once
// Which language Quilmo speaks, in the windows and on the command line. The system locale
// decides (LC_ALL, then LC_MESSAGES, then LANG, the first one set): English for "en" and its
// regions, Japanese for every other locale, "C" and "POSIX" included.

#include <string>
#include <string_view>

namespace quilmo {

enum class TLanguage { Japanese, English };

// What the settings file keeps; any other value, the empty one included, means the system's.
inline constexpr const char* kJapaneseCode = "ja";
inline constexpr const char* kEnglishCode = "en";

// The language of a locale name such as "en_GB.UTF-8".
TLanguage LocaleLanguage(std::string_view locale);
TLanguage SystemLanguage();
// The language for a stored code.
TLanguage ChosenLanguage(const std::string& code);

}  // namespace quilmo
