#include "data/row.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "data/sql.h"

namespace tavrel {

Row::Row(const QSqlQuery& query) {
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        values_.insert(record.fieldName(i).toLower(), query.value(i));
    }
}

QString Row::text(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

std::optional<Row> fetchRow(const QSqlDatabase& db, const QString& sql,
                            const QVariantList& values) {
    QSqlQuery query = runSql(db, sql, values);
    if (!query.next()) {
        return std::nullopt;
    }
    return Row(query);
}

}  // namespace tavrel
