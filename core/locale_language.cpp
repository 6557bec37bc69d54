#include "locale_language.h"

#include <cstdlib>

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

}  // namespace quilmo
