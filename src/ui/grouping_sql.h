#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "ui/grouping_column.h"

namespace tavrel {

// A statement and the values bound to its placeholders, in order.
struct BoundStatement {
    QString sql;
    QVariantList values;
};

// Where a page of rows or groups starts: from the first one, or after a given key or value
// (a group's value may be NULL: the NULL group sorts first).
struct PageStart {
    bool fromFirst = true;
    QVariant after;
    static PageStart first() { return {}; }
    static PageStart afterValue(const QVariant& value) { return {false, value}; }
};

// The short statements a grouping grid pages with. Every statement reads one page and ends:
// rows are ordered by the key and start after the last key of the page before; groups are
// ordered by their value and start after the last value. `path` holds the values of the
// enclosing groups, outermost first.
class GroupingSql {
public:
    GroupingSql(QList<GroupingColumn> columns, GroupingSource source, QList<int> grouping);

    // key, then every column.
    BoundStatement rows(const QVariantList& path, const PageStart& start, int limit) const;
    // Keys only, to find where a later page starts without reading its rows.
    BoundStatement keys(const QVariantList& path, const PageStart& start, int limit) const;
    // The groups at depth path.size(): value, row count, then the total of every summed column.
    BoundStatement groups(const QVariantList& path, const PageStart& start, int limit) const;
    // Row count, the total of every summed column and then the `extra` aggregates, over the
    // whole source.
    BoundStatement totals(const QStringList& extra = {}) const;

private:
    QString condition(const QVariantList& path, const QString& ordered, const PageStart& start,
                      QVariantList& values) const;
    QString sums() const;
    QString from() const;

    QList<GroupingColumn> columns_;
    GroupingSource source_;
    QList<int> grouping_;
};

}  // namespace tavrel
