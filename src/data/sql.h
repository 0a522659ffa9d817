#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

class QSqlDatabase;

namespace tavrel {

// Prepares `sql`, binds `values` positionally to its "?" placeholders and runs it. Throws
// DataError with the statement and the driver's message when anything fails. Operator values
// reach SQL only through `values`.
QSqlQuery runSql(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// As runSql, but the result can be scrolled, as item models (QSqlQueryModel) need.
QSqlQuery runSqlForModel(const QSqlDatabase& db, const QString& sql,
                         const QVariantList& values = {});

// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalarSql(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// A statement prepared once to run many times, its values bound by name (binding by position
// costs Qt 6.4 a placeholder name built per value). Throws DataError.
QSqlQuery prepareSql(const QSqlDatabase& db, const QString& sql);

// Runs a statement prepareSql gave, with the values bound to it. Throws DataError, the statement
// finished.
void execPrepared(QSqlQuery& query, const QString& sql);

// Escapes %, _ and the escape character itself for a LIKE pattern used with ESCAPE '\'.
QString escapeLike(const QString& text);

}  // namespace tavrel
