#pragma once

#include <QString>

class QSqlDatabase;

namespace tavrel {

// Code widths used across the system.
namespace code_width {
inline constexpr int kCliente = 5;
inline constexpr int kTroca = 5;
inline constexpr int kHistorico = 5;
inline constexpr int kSequencial = 5;
inline constexpr int kUsuario = 3;
inline constexpr int kConta = 3;
inline constexpr int kLancamento = 10;
}  // namespace code_width

// The whole number at the start of a code's text ("00007" is 7, "" or "abc" is 0).
long long codeValue(const QString& code);

// A whole number as a code of the given width: 7 and 5 give "00007".
QString formatCode(long long value, int width);

// The next code of a table: the highest code by its number plus one, formatted to the width, or
// 1 formatted when the table is empty. Within the width that is the last code in text order;
// past it, "999" is followed by "1000" and then "1001". A deleted highest code is given out
// again. Throws AppError when the highest code is too long to count on. `table` and `column` are
// the program's own names, never operator text.
QString nextCode(const QSqlDatabase& db, const QString& table, const QString& column, int width);

}  // namespace tavrel
