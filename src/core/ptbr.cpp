#include "core/ptbr.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

#include "core/decimal_digits.h"
#include "core/errors.h"

namespace tavrel {

std::optional<double> parseNumber(const QString& text, NumberKind kind) {
    // Either plain digits with an optional decimal comma, or digits grouped by dots in threes
    // after a first group that does not start with 0.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([+-])?(\d+|[1-9]\d{0,2}(?:\.\d{3})+)(?:,(\d*))?$)"));
    const QString trimmed = text.trimmed();
    if (kind == NumberKind::Rate && trimmed.contains(QLatin1Char('.'))) {
        return std::nullopt;
    }
    const QRegularExpressionMatch match = pattern.match(trimmed);
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

double toNumber(const QString& text, NumberKind kind) {
    if (auto value = parseNumber(text, kind)) {
        return *value;
    }
    throw ConversionError(text);
}

QString formatNumber(double value) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    if (value == 0.0) {
        return QStringLiteral("0");  // -0 too
    }
    // The 15 significant digits, laid out without the exponent.
    const DecimalDigits decimal = decimalDigits(value);
    const int exponent = decimal.exponent;
    QString digits = QString::fromLatin1(decimal.digits, sizeof decimal.digits);
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0'))) {
        digits.chop(1);
    }

    QString result = value < 0 ? QStringLiteral("-") : QString();
    if (exponent < 0) {
        result += QStringLiteral("0,") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= exponent + 1) {
        result += digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        result += digits.left(exponent + 1) + QLatin1Char(',') + digits.mid(exponent + 1);
    }
    return result;
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

bool sameName(const QString& typed, const QString& stored) {
    return QString::compare(typed, stored, Qt::CaseInsensitive) == 0;
}

QString countText(long long count, const QString& singular, const QString& plural) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? singular : plural);
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
