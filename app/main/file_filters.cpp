#include "file_filters.h"

#include <QStringList>

#include "app/shell/ui_language.h"

namespace quilmo {

QString QtFileFilter(const std::string& pairs)
{
    const QStringList parts = QString::fromStdString(pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the last parentheses of the entry, separated by blanks.
        QString description = parts[i];
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        description = ShownText(description.toStdString());
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << description + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

// Each save format's entry of the save dialog's filter, in the order of TSaveFormat.
struct TSaveFilterEntry {
    const char* Suffix;
    const char* Entry;  // "description|patterns"
};
constexpr TSaveFilterEntry kSaveFilterEntries[kSaveFormatCount] = {
    {"jpg", UI_TEXT("quilmo", "JPEG イメージファイル") " (*.jpg;*.jpeg)|*.jpg;*.jpeg"},
    {"bmp", UI_TEXT("quilmo", "ビットマップ") " (*.bmp)|*.bmp"},
    {"png", "Portable Network Graphics (*.png)|*.png"},
    {"webp", "WebP (*.webp)|*.webp"},
};
// The order of the other entries: the formats as the open dialog names them, BMP last.
constexpr TSaveFormat kSaveFilterOrder[] = {sfJPG, sfPNG, sfWebP, sfBMP};

}  // namespace

const char* SaveSuffix(TSaveFormat format)
{
    return kSaveFilterEntries[format].Suffix;
}

QString SaveFilter(TSaveFormat format)
{
    std::string pairs = kSaveFilterEntries[format].Entry;
    std::string all;
    for (const TSaveFormat other : kSaveFilterOrder) {
        const std::string entry = kSaveFilterEntries[other].Entry;
        if (other != format) pairs += '|' + entry;
        if (!all.empty()) all += ';';
        all += entry.substr(entry.find('|') + 1);
    }
    pairs += std::string("|") + UI_TEXT("quilmo", "すべてのファイル") + " (" + all + ")|" + all;
    return QtFileFilter(pairs);
}

}  // namespace quilmo
