#include "ui_text.h"

namespace quilmo {

namespace {

TTextTranslator Translator;

}  // namespace

void SetTextTranslator(TTextTranslator translator)
{
    Translator = std::move(translator);
}

std::string UiText(const std::string& text)
{
    return Translator ? Translator(text) : text;
}

std::string FillIn(const std::string& pattern, const std::string& value)
{
    const size_t place = pattern.find("%1");
    if (place == std::string::npos) return pattern;
    return pattern.substr(0, place) + value + pattern.substr(place + 2);
}

}  // namespace quilmo
