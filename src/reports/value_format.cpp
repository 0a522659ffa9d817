#include "reports/value_format.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

#include "core/money.h"
#include "core/ptbr.h"
#include "reports/syntax.h"

namespace tavrel {
namespace {

// A number with `decimals` places and a decimal comma, rounded like money.
QString decimalText(double value, int decimals) {
    if (decimals == 2) {
        return formatMoney(value);
    }
    if (decimals == 0) {
        const double whole = roundWhole(value);
        return QString::number(whole == 0.0 ? 0.0 : whole, 'f', 0);
    }
    QString text = QString::number(value, 'f', decimals);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString dateText(const QVariant& value, const QString& pattern) {
    const QDate date = value.typeId() == QMetaType::QDate ? value.toDate() : fromStorageDate(value);
    return date.isValid() ? date.toString(pattern) : value.toString();
}

}  // namespace

ValueFormat parseValueFormat(const QString& text) {
    ValueFormat format;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("text"), Qt::CaseInsensitive) == 0) {
        return format;
    }
    if (trimmed.compare(QLatin1String("currency"), Qt::CaseInsensitive) == 0) {
        format.kind = ValueFormat::Kind::Currency;
        return format;
    }
    if (trimmed == QLatin1String("#,##0.00")) {
        format.kind = ValueFormat::Kind::Grouped;
        return format;
    }
    static const QRegularExpression decimals(QStringLiteral(R"(^0(?:\.(0+))?$)"));
    if (const QRegularExpressionMatch match = decimals.match(trimmed); match.hasMatch()) {
        format.kind = ValueFormat::Kind::Decimals;
        format.decimals = static_cast<int>(match.capturedLength(1));
        return format;
    }
    static const QRegularExpression date(QStringLiteral(R"(^[dMy]+(?:[/.\- ][dMy]+)*$)"));
    if (date.match(trimmed).hasMatch()) {
        format.kind = ValueFormat::Kind::Date;
        format.datePattern = trimmed;
        return format;
    }
    if (trimmed.startsWith(QLatin1String("lookup:"), Qt::CaseInsensitive)) {
        format.kind = ValueFormat::Kind::Lookup;
        const QStringList pairs = trimmed.mid(7).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& pair : pairs) {
            const int equals = pair.indexOf(QLatin1Char('='));
            if (equals <= 0) {
                throw SyntaxError{-1, QStringLiteral("par inválido em lookup: \"%1\" (use "
                                                     "CÓDIGO=Texto)")
                                          .arg(pair)};
            }
            format.lookup.insert(pair.left(equals).trimmed(), pair.mid(equals + 1).trimmed());
        }
        return format;
    }
    throw SyntaxError{-1, QStringLiteral("formato desconhecido: \"%1\"").arg(trimmed)};
}

QString formatValue(const QVariant& value, const ValueFormat& format) {
    if (value.isNull()) {
        return {};
    }
    switch (format.kind) {
        case ValueFormat::Kind::Plain:
            return regionalText(value);
        case ValueFormat::Kind::Decimals:
            return decimalText(value.toDouble(), format.decimals);
        case ValueFormat::Kind::Grouped:
            return formatAmount(value.toDouble());
        case ValueFormat::Kind::Currency:
            return formatCurrency(value.toDouble());
        case ValueFormat::Kind::Date:
            return dateText(value, format.datePattern);
        case ValueFormat::Kind::Lookup: {
            const QString code = value.toString();
            return format.lookup.value(code, code);
        }
    }
    return value.toString();
}

}  // namespace tavrel
