#include "core/money.h"

#include <QLocale>
#include <charconv>
#include <cmath>

#include "core/decimal_digits.h"

namespace tavrel {
namespace {

// Rounds `value` to `decimals` places, half away from zero, working on the decimal digits the
// value shows with 15 significant digits (so binary noise such as 1.00499999999999989 does not
// decide the result).
double roundDecimal(double value, int decimals) {
    if (!std::isfinite(value) || value == 0.0) {
        return value;
    }
    const DecimalDigits decimal = decimalDigits(value);
    const char* digits = decimal.digits;
    const int exponent = decimal.exponent;

    // Position of the first dropped digit.
    const int keep = exponent + 1 + decimals;
    if (keep >= 15) {
        return value;  // already has no more than `decimals` decimals
    }
    if (keep < 0) {
        return 0.0;  // smaller than half of the last kept decimal
    }
    long long kept = 0;
    for (int i = 0; i < keep; ++i) {
        kept = kept * 10 + (digits[i] - '0');
    }
    if (digits[keep] >= '5') {
        ++kept;
    }
    // kept * 10^(exponent + 1 - keep), read back as the nearest double.
    char rounded[48];
    char* out = std::to_chars(rounded, rounded + 24, kept).ptr;  // at most 16 digits
    *out++ = 'e';
    out = std::to_chars(out, rounded + sizeof rounded, exponent + 1 - keep).ptr;
    double result = 0;
    std::from_chars(rounded, out, result);
    return value < 0 ? -result : result;
}

const QLocale& brazil() {
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

}  // namespace

double roundMoney(double value) {
    return roundDecimal(value, 2);
}

double roundWhole(double value) {
    return roundDecimal(value, 0);
}

QString formatMoney(double value) {
    const double rounded = roundMoney(value);
    QString text = QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', 2);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString formatAmount(double value) {
    const double rounded = roundMoney(value);
    const QString text = brazil().toString(std::fabs(rounded), 'f', 2);
    return rounded < 0 ? QStringLiteral("-") + text : text;
}

QString formatCurrency(double value) {
    const QString amount = formatAmount(value);
    return amount.startsWith(QLatin1Char('-')) ? QStringLiteral("-R$ ") + amount.mid(1)
                                               : QStringLiteral("R$ ") + amount;
}

QString formatZeroPadded(long long value, int width) {
    const QString digits = QString::number(value < 0 ? -value : value);
    return (value < 0 ? QStringLiteral("-") : QString()) +
           digits.rightJustified(width, QLatin1Char('0'));
}

}  // namespace tavrel
