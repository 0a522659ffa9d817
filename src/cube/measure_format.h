#pragma once

#include <QString>

namespace tavrel {

// The number formats of the cube's measures: "#,##0.00" (thousands grouped), "0.00", and the
// general format (no format: up to 15 significant digits, as formatNumber writes them). Always
// with the decimal comma.
QString formatMeasure(const QString& format, double value);

// The value as the format shows it: rounded to two decimals as money is, or to 15 significant
// digits in the general format. Data markers compare this value, not the unrounded sum.
double shownValue(const QString& format, double value);

}  // namespace tavrel
