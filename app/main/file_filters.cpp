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

}  // namespace quilmo
