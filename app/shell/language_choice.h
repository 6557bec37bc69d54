#pragma once
// Which language the windows speak. The system locale decides (LC_ALL, then LC_MESSAGES, then
// LANG, the first one set): English for "en" and its regions, Japanese for every other locale,
// "C" and "POSIX" included. A language chosen in the help menu, kept in the settings file, wins.

#include <filesystem>
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
// The language the settings file at iniPath asks for; the system's when the file names none or
// cannot be read (the main window tells about that when it reads the file).
TLanguage StartLanguage(const std::filesystem::path& iniPath);

}  // namespace quilmo
