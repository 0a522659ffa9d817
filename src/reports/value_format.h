#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace tavrel {

// How a value is written on a report:
//   (none) or text    as it is stored; numbers with a decimal comma
//   0, 0.0, 0.00 …    a number with that many decimals, decimal comma, no grouping
//   #,##0.00          the same with "." grouping thousands
//   currency          "R$ 1.500,75"
//   dd/MM/yyyy        a stored date in that pattern (any pattern of d, M and y)
//   lookup:A=Aberto;B=Baixado   a code replaced by its caption (unknown codes as they are)
// Money is rounded half away from zero, as everywhere else in the program.
struct ValueFormat {
    enum class Kind { Plain, Decimals, Grouped, Currency, Date, Lookup };
    Kind kind = Kind::Plain;
    int decimals = 0;
    QString datePattern;
    QHash<QString, QString> lookup;
};

// Throws SyntaxError (without a position) for a format it does not know.
ValueFormat parseValueFormat(const QString& text);

// A null value is written as an empty text whatever the format.
QString formatValue(const QVariant& value, const ValueFormat& format);

}  // namespace tavrel
