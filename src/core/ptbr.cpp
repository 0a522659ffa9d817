#include "core/ptbr.h"

#include <QLocale>
#include <QRegularExpression>

#include "core/errors.h"

namespace tavrel {

std::optional<double> parseNumber(const QString& text) {
    // Either plain digits with an optional decimal comma, or digits grouped by dots in threes.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([+-])?(\d+|\d{1,3}(?:\.\d{3})+)(?:,(\d*))?$)"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    QString plain = match.captured(2).remove(QLatin1Char('.'));
    if (!match.captured(3).isEmpty()) {
        plain += QLatin1Char('.') + match.captured(3);
    }
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return match.captured(1) == QLatin1String("-") ? -value : value;
}

double toNumber(const QString& text) {
    if (auto value = parseNumber(text)) {
        return *value;
    }
    throw ConversionError(text);
}

QString formatNumber(double value) {
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e'))) {
        text = QString::number(value, 'f', 10);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

std::optional<QDate> parseDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

QDate toDate(const QString& text) {
    if (auto date = parseDate(text)) {
        return *date;
    }
    throw ConversionError(text);
}

QString formatDate(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString storageDate(const QDate& date) {
    return date.toString(Qt::ISODate);
}

QDate fromStorageDate(const QVariant& value) {
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString formulaDate(const QDate& date) {
    return QLatin1Char('#') + date.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char('#');
}

QString regionalText(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return formatNumber(value.toDouble());
        case QMetaType::QDate:
            return formatDate(value.toDate());
        case QMetaType::QDateTime:
            return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("Verdadeiro") : QStringLiteral("Falso");
        default:
            return value.toString();
    }
}

}  // namespace tavrel
