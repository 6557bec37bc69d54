#include "ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <vector>

#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

// The translation context of the texts marked with UI_TEXT.
constexpr const char* kLowerLayerContext = "quilmo";

TLanguage InUse = TLanguage::Japanese;
std::vector<std::unique_ptr<QTranslator>> Installed;

// Nothing for Japanese, the language the texts are written in.
std::unique_ptr<QTranslator> Translation(TLanguage language)
{
    if (language == TLanguage::Japanese) return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/translations/quilmo_en.qm"))) return nullptr;
    return translator;
}

// Qt's catalogue of language, as Qt installed it; none when it is not installed.
std::unique_ptr<QTranslator> QtTranslation(TLanguage language)
{
    const QString code = QString::fromLatin1(language == TLanguage::English ? kEnglishCode : kJapaneseCode);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    // "qt" gathers the catalogues of every Qt module installed; without one of them it does not
    // load, and the widgets' own catalogue is what the windows need.
    for (const char* catalogue : {"qt_", "qtbase_"})
        if (translator->load(QLatin1String(catalogue) + code, folder)) return translator;
    return nullptr;
}

}  // namespace

void UseLanguage(TLanguage language)
{
    for (const std::unique_ptr<QTranslator>& translator : Installed)
        QCoreApplication::removeTranslator(translator.get());
    Installed.clear();
    std::unique_ptr<QTranslator> own = Translation(language);
    InUse = own ? language : TLanguage::Japanese;
    Installed.push_back(std::move(own));
    Installed.push_back(QtTranslation(InUse));
    for (const std::unique_ptr<QTranslator>& translator : Installed)
        if (translator) QCoreApplication::installTranslator(translator.get());
    SetTextTranslator([](const std::string& text) { return ShownText(text).toStdString(); });
}

TLanguage LanguageInUse()
{
    return InUse;
}

QString ShownText(const std::string& text)
{
    return QCoreApplication::translate(kLowerLayerContext, text.c_str());
}

QString TextIn(TLanguage language, const char* context, const char* source)
{
    if (language == InUse) return QCoreApplication::translate(context, source);
    const std::unique_ptr<QTranslator> translation = Translation(language);
    const QString translated = translation ? translation->translate(context, source) : QString();
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

}  // namespace quilmo
