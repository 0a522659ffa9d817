#pragma once

#include <QString>

namespace tavrel {

// Rounds to two decimals, half away from zero, on the decimal form of the value with 15
// significant digits, as formatting with "0.00" does: 1.005 gives 1.01, 2.675 gives 2.68,
// -1.005 gives -1.01. Every rounding of money in the program goes through here.
double roundMoney(double value);

// Rounds to a whole number the same way (half away from zero on 15 significant digits).
double roundWhole(double value);

// "0.00" and "###0.00": two decimals, decimal comma, no thousands separator ("1500,75").
QString formatMoney(double value);
// An amount as grids and totals show it: two decimals, thousands grouped ("80.000,00", "-1,50").
QString formatAmount(double value);
// Currency: "R$ 1.500,75", negative as "-R$ 1.500,75".
QString formatCurrency(double value);
// "00000": a whole number padded with zeros to the width ("00007").
QString formatZeroPadded(long long value, int width);

}  // namespace tavrel
