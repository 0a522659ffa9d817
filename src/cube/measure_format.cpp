#include "cube/measure_format.h"

#include "core/money.h"
#include "core/ptbr.h"

namespace tavrel {
namespace {

bool twoDecimals(const QString& format) {
    return format == QLatin1String("0.00") || format == QLatin1String("#,##0.00");
}

}  // namespace

QString formatMeasure(const QString& format, double value) {
    if (format == QLatin1String("#,##0.00")) {
        return formatAmount(value);
    }
    if (format == QLatin1String("0.00")) {
        return formatMoney(value);
    }
    return formatNumber(value);
}

double shownValue(const QString& format, double value) {
    if (twoDecimals(format)) {
        const double rounded = roundMoney(value);
        return rounded == 0.0 ? 0.0 : rounded;
    }
    const double rounded = QString::number(value, 'g', 15).toDouble();
    return rounded == 0.0 ? 0.0 : rounded;
}

}  // namespace tavrel
