#include "cli_language.h"

#include <QString>
#include <QTranslator>

#include "core/locale_language.h"
#include "bigbitmap/ui_text.h"

namespace quilmo::cli {

void UseLocaleLanguage()
{
    if (SystemLanguage() != TLanguage::English) return;
    // The translation the windows use, built into this program too; it lives as long as the
    // program and is only read.
    static QTranslator english;
    if (!english.load(QStringLiteral(":/translations/quilmo_en.qm"))) return;
    SetTextTranslator([](const std::string& text) {
        const QString translated = english.translate("quilmo", text.c_str());
        return translated.isEmpty() ? text : translated.toStdString();
    });
}

}  // namespace quilmo::cli
