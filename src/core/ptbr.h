#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace tavrel {

// Conversions between the operator's text and values, always with Brazilian rules (decimal
// comma, "." grouping thousands, dd/MM/yyyy), whatever the machine's locale is.

// What a box holds decides whether a dot may group thousands in it.
enum class NumberKind {
    Amount,  // a dot groups thousands, in a well-formed grouping only
    Rate,    // rates and percentages are never in the thousands: any dot is refused
};

// The one rule for numbers typed by the operator. "1.500,75", "12.345.678,90", "1500,75", "-3",
// " 12 " are numbers. A dot is a thousands separator only in a well-formed grouping: a first
// group of 1 to 3 digits that does not start with 0, then groups of exactly 3. So "", "abc",
// "1500.75", "1.5" and "0.001" are not numbers (read as groupings they would store 150075, 15
// and 1). In a Rate box any dot is refused.
std::optional<double> parseNumber(const QString& text, NumberKind kind = NumberKind::Amount);
// As parseNumber, but bad text throws ConversionError (for steps under the error convention).
double toNumber(const QString& text, NumberKind kind = NumberKind::Amount);
// A number as the operator reads and types it: decimal comma, no grouping, never an exponent,
// up to 15 significant digits (all a typed value can have): 1500.75 gives "1500,75",
// 0.00000100026 gives "0,00000100026". parseNumber reads the text back to the same value.
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

// Names typed by the operator (a user logging in, a client chosen by name) match the stored
// name whatever the letter case, accented letters included ("joão" is "JOÃO"), as the
// original database compared text. Accents themselves still count ("Joao" is not "João").
bool sameName(const QString& typed, const QString& stored);

// A count with its noun: "1 cheque", "3 cheques".
QString countText(long long count, const QString& singular, const QString& plural);

// The text form of a log detail or a shown value in the regional format.
QString regionalText(const QVariant& value);

}  // namespace tavrel
