#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

class QSqlDatabase;
class QSqlQuery;

namespace tavrel {

// One row read from a table, its columns found by name whatever their letter case
// ("VL_LIQUIDO", "vl_liquido" and "VL_LIQUIDo" are the same column).
class Row {
public:
    Row() = default;
    explicit Row(const QSqlQuery& query);  // the query's current row

    QVariant value(const QString& column) const { return values_.value(column.toLower()); }
    // The text a control shows for the column: a Null shows as empty text.
    QString text(const QString& column) const;
    bool contains(const QString& column) const { return values_.contains(column.toLower()); }
    // The row's `id` (every table has one).
    qint64 id() const { return value(QStringLiteral("id")).toLongLong(); }

private:
    QHash<QString, QVariant> values_;
};

// The first row of a statement with bound values, or nothing.
std::optional<Row> fetchRow(const QSqlDatabase& db, const QString& sql,
                            const QVariantList& values = {});

}  // namespace tavrel
