#include "data/codes.h"

#include "core/money.h"
#include "data/sql.h"

namespace tavrel {

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
    // Reads only the last row in code order instead of walking the table.
    const QVariant last = scalarSql(
        db, QStringLiteral("SELECT %1 FROM %2 WHERE %1 IS NOT NULL ORDER BY %1 DESC LIMIT 1")
                .arg(column, table));
    return formatCode(last.isValid() ? codeValue(last.toString()) + 1 : 1, width);
}

}  // namespace tavrel
