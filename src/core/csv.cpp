#include "core/csv.h"

namespace tavrel {
namespace {

constexpr QChar kSeparator = QLatin1Char(';');
constexpr QChar kQuote = QLatin1Char('"');

QString csvField(const QString& field) {
    const bool quoted = field.contains(kSeparator) || field.contains(kQuote) ||
                        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!quoted) {
        return field;
    }
    QString text = field;
    text.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + text + kQuote;
}

}  // namespace

QString csvText(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row)
            fields << csvField(field);
        text += fields.join(kSeparator) + QStringLiteral("\r\n");
    }
    return text;
}

std::optional<QList<QStringList>> parseCsv(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool inQuotes = false;
    bool lineHasText = false;
    // An empty field is an empty text, never a null one (which would be stored as NULL).
    auto takeField = [&] {
        row << (field.isEmpty() ? QStringLiteral("") : field);
        field.clear();
    };
    auto endLine = [&] {
        if (lineHasText) {
            takeField();
            rows << row;
        }
        row.clear();
        field.clear();
        lineHasText = false;
    };
    const qsizetype start = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c != kQuote) {
                field += c;
            } else if (i + 1 < text.size() && text.at(i + 1) == kQuote) {
                field += kQuote;
                ++i;
            } else {
                inQuotes = false;
            }
        } else if (c == kQuote) {
            inQuotes = true;
            lineHasText = true;
        } else if (c == kSeparator) {
            takeField();
            lineHasText = true;
        } else if (c == QLatin1Char('\n')) {
            endLine();
        } else if (c != QLatin1Char('\r')) {
            field += c;
            lineHasText = true;
        }
    }
    if (inQuotes) {
        return std::nullopt;
    }
    endLine();
    return rows;
}

}  // namespace tavrel
