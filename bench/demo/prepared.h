#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

#include "core/errors.h"

namespace tavrel::demo {

// A statement prepared once and run many times with bound values (the bulk writes of the
// demo data).
class Prepared {
public:
    Prepared(const QSqlDatabase& db, const QString& sql) : query_(db), sql_(sql) {
        query_.setForwardOnly(true);
        if (!query_.prepare(sql)) {
            throw DataError(sql, query_.lastError().text());
        }
    }
    // Binds the values positionally and runs the statement; throws DataError on failure.
    QSqlQuery& run(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            query_.bindValue(i, values[i]);
        }
        if (!query_.exec()) {
            throw DataError(sql_, query_.lastError().text());
        }
        return query_;
    }
    int rowsAffected() const { return query_.numRowsAffected(); }

private:
    QSqlQuery query_;
    QString sql_;
};

}  // namespace tavrel::demo
