#include "ui_language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

#include "core/ui_text.h"

namespace quilmo {

namespace {

// The translation context of the texts marked with UI_TEXT.
constexpr const char* kLowerLayerContext = "quilmo";

TLanguage InUse = TLanguage::Japanese;
std::unique_ptr<QTranslator> Installed;

// Nothing for Japanese, the language the texts are written in.
std::unique_ptr<QTranslator> Translation(TLanguage language)
{
    if (language == TLanguage::Japanese) return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/translations/quilmo_en.qm"))) return nullptr;
    return translator;
}

}  // namespace

void UseLanguage(TLanguage language)
{
    if (Installed) QCoreApplication::removeTranslator(Installed.get());
    Installed = Translation(language);
    if (Installed) QCoreApplication::installTranslator(Installed.get());
    InUse = Installed ? language : TLanguage::Japanese;
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
