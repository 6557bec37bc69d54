#include "language_choice.h"

#include <cstdlib>
#include <exception>

#include "settings_file.h"

namespace quilmo {

TLanguage LocaleLanguage(std::string_view locale)
{
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    return language == kEnglishCode ? TLanguage::English : TLanguage::Japanese;
}

TLanguage SystemLanguage()
{
    // The order in which the C library looks for the language of messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* locale = std::getenv(name);
        if (locale && *locale) return LocaleLanguage(locale);
    }
    return TLanguage::Japanese;
}

TLanguage ChosenLanguage(const std::string& code)
{
    if (code == kJapaneseCode) return TLanguage::Japanese;
    if (code == kEnglishCode) return TLanguage::English;
    return SystemLanguage();
}

TLanguage StartLanguage(const std::filesystem::path& iniPath)
{
    try {
        if (const std::optional<TMainSettings> stored = ReadMainSettings(iniPath, {}))
            return ChosenLanguage(stored->Language);
    } catch (const std::exception&) {
    }
    return SystemLanguage();
}

}  // namespace quilmo
