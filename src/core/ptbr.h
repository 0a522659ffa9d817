#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace tavrel {

// Conversions between the operator's text and values, always with Brazilian rules (decimal
// comma, "." grouping thousands, dd/MM/yyyy), whatever the machine's locale is.

// "1.500,75", "1500,75", "-3", " 12 " are numbers; "", "abc", "1500.75" (a dot that does not
// group thousands) are not.
std::optional<double> parseNumber(const QString& text);
// As parseNumber, but bad text throws ConversionError (for steps under the error convention).
double toNumber(const QString& text);
// Shortest text of a number with a decimal comma and no grouping: 1500.75 gives "1500,75".
QString formatNumber(double value);

// "08/12/2026" or "8/12/2026"; anything else, or an impossible day, is no date.
std::optional<QDate> parseDate(const QString& text);
QDate toDate(const QString& text);      // throws ConversionError
QString formatDate(const QDate& date);  // "08/12/2026"

// Storage form of dates in the databases: "2026-12-08".
QString storageDate(const QDate& date);
QDate fromStorageDate(const QVariant& value);

// A date in a report selection formula: "#2026/12/08#".
QString formulaDate(const QDate& date);

// The text form of a log detail or a shown value in the regional format.
QString regionalText(const QVariant& value);

}  // namespace tavrel
