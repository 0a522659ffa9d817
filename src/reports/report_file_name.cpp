#include "reports/report_file_name.h"

#include <QFileInfo>
#include <QStringList>

namespace tavrel {
namespace {

constexpr int kMaxValues = 4;
constexpr int kMaxValueLength = 40;

// The texts between quotes and the dates between "#" of a formula, in order. A doubled quote
// inside a text stands for one quote.
QStringList formulaValues(const QString& formula) {
    QStringList values;
    for (qsizetype i = 0; i < formula.size(); ++i) {
        const QChar open = formula[i];
        if (open != QLatin1Char('\'') && open != QLatin1Char('"') && open != QLatin1Char('#'))
            continue;
        QString value;
        qsizetype j = i + 1;
        for (; j < formula.size(); ++j) {
            if (formula[j] != open) {
                value += formula[j];
            } else if (open != QLatin1Char('#') && j + 1 < formula.size() &&
                       formula[j + 1] == open) {
                value += open;
                ++j;
            } else {
                break;
            }
        }
        if (open == QLatin1Char('#')) {
            value = value.trimmed().replace(QLatin1Char('/'), QLatin1Char('-'));
        }
        values << value;
        i = j;
    }
    return values;
}

// Letters and digits kept, any run of other characters made one hyphen.
QString fileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) {
            part += c;
        } else if (!part.isEmpty() && !part.endsWith(QLatin1Char('-'))) {
            part += QLatin1Char('-');
        }
    }
    while (part.endsWith(QLatin1Char('-')))
        part.chop(1);
    return part.left(kMaxValueLength);
}

}  // namespace

QString reportFileName(const QString& templateName, const QString& formula) {
    QStringList parts;
    const QString base = QFileInfo(templateName).completeBaseName().toLower();
    for (const QString& word : base.split(QLatin1Char('_'))) {
        if (const QString part = fileNamePart(word); !part.isEmpty())
            parts << part;
    }
    if (parts.isEmpty()) {
        parts << QStringLiteral("relatorio");
    }
    int values = 0;
    for (const QString& value : formulaValues(formula)) {
        const QString part = fileNamePart(value);
        if (!part.isEmpty() && values++ < kMaxValues)
            parts << part;
    }
    return parts.join(QLatin1Char('_')) + QStringLiteral(".pdf");
}

}  // namespace tavrel
