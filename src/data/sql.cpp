#include "data/sql.h"

#include <QSqlDatabase>
#include <QSqlError>

#include "core/errors.h"

namespace tavrel {

namespace {

QSqlQuery execute(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                  bool forwardOnly) {
    QSqlQuery query(db);
    query.setForwardOnly(forwardOnly);
    if (!query.prepare(sql)) {
        throw DataError(sql, query.lastError().text(), error_number::kDatabase,
                        query.lastError().nativeErrorCode());
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        throw DataError(sql, query.lastError().text(), error_number::kDatabase,
                        query.lastError().nativeErrorCode());
    }
    return query;
}

}  // namespace

QSqlQuery runSql(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    return execute(db, sql, values, true);
}

QSqlQuery runSqlForModel(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    return execute(db, sql, values, false);
}

QVariant scalarSql(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QSqlQuery query = runSql(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

QSqlQuery prepareSql(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        throw DataError(sql, query.lastError().text());
    }
    return query;
}

void execPrepared(QSqlQuery& query, const QString& sql) {
    if (!query.exec()) {
        const QString message = query.lastError().text();
        query.finish();
        throw DataError(sql, message);
    }
}

QString escapeLike(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) {
            escaped += QLatin1Char('\\');
        }
        escaped += c;
    }
    return escaped;
}

}  // namespace tavrel
