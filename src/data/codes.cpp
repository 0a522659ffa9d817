#include "data/codes.h"

#include "core/errors.h"
#include "core/money.h"
#include "data/sql.h"

namespace tavrel {
namespace {

// The most digits a code can have and still be counted on (a long long holds 18).
constexpr int kMaxCodeDigits = 18;

}  // namespace

long long codeValue(const QString& code) {
    long long value = 0;
    const QString text = code.trimmed();
    for (QChar c : text) {
        if (!c.isDigit()) {
            break;
        }
        value = value * 10 + c.digitValue();
    }
    return value;
}

QString formatCode(long long value, int width) {
    return formatZeroPadded(value, width);
}

QString nextCode(const QSqlDatabase& db, const QString& table, const QString& column, int width) {
    // The highest code by its number: the longest, then the highest text of that length. Codes
    // are zero-padded to the width, so within the width this is the text order; past it ("1000"
    // sorts before "999" as text) it keeps counting.
    const QVariant last = scalarSql(db, QStringLiteral("SELECT %1 FROM %2 WHERE %1 IS NOT NULL "
                                                       "ORDER BY LENGTH(%1) DESC, %1 DESC LIMIT 1")
                                            .arg(column, table));
    if (!last.isValid()) {
        return formatCode(1, width);
    }
    const QString code = last.toString().trimmed();
    if (code.size() > kMaxCodeDigits) {
        throw AppError(
            error_number::kDatabase,
            QStringLiteral("Não há mais códigos a dar em %1: o último é %2.").arg(table, code),
            column);
    }
    return formatCode(codeValue(code) + 1, width);
}

}  // namespace tavrel
