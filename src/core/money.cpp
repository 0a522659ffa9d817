#include "core/money.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavrel {
namespace {

// Rounds `value` to `decimals` places, half away from zero, working on the decimal digits the
// value shows with 15 significant digits (so binary noise such as 1.00499999999999989 does not
// decide the result).
double roundDecimal(double value, int decimals) {
    if (!std::isfinite(value) || value == 0.0) {
        return value;
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer is "d.dddddddddddddde±XX"
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, 14);
    const int exponent = std::atoi(buffer + 17);

    // Position of the first dropped digit within `digits`.
    const int keep = exponent + 1 + decimals;
    if (keep >= static_cast<int>(digits.size())) {
        return value;  // already has no more than `decimals` decimals
    }
    if (keep < 0) {
        return 0.0;  // smaller than half of the last kept decimal
    }
    std::string kept = digits.substr(0, keep);
    const bool roundUp = digits[keep] >= '5';
    // kept * 10^(exponent + 1 - keep) is the truncated magnitude.
    long double magnitude = kept.empty() ? 0.0L : std::strtold(kept.c_str(), nullptr);
    if (roundUp) {
        magnitude += 1.0L;
    }
    // Build the decimal text and let strtod give the nearest double to it.
    char text[64];
    std::snprintf(text, sizeof text, "%.0Lfe%d", magnitude, exponent + 1 - keep);
    const double result = std::strtod(text, nullptr);
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

QString formatCurrency(double value) {
    const double rounded = roundMoney(value);
    QString text = brazil().toString(std::fabs(rounded), 'f', 2);
    return (rounded < 0 ? QStringLiteral("-R$ ") : QStringLiteral("R$ ")) + text;
}

QString formatZeroPadded(long long value, int width) {
    const QString digits = QString::number(value < 0 ? -value : value);
    return (value < 0 ? QStringLiteral("-") : QString()) +
           digits.rightJustified(width, QLatin1Char('0'));
}

}  // namespace tavrel
