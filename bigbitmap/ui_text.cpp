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
    return FillIn(pattern, {value});
}

std::string FillIn(const std::string& pattern, std::initializer_list<std::string> values)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const bool place = pattern[i] == '%' && next >= '1' && next <= '9';
        if (place && static_cast<size_t>(next - '1') < values.size()) {
            text += values.begin()[next - '1'];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace quilmo
