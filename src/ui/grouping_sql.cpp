#include "ui/grouping_sql.h"

#include <QStringList>

namespace tavrel {

GroupingSql::GroupingSql(QList<GroupingColumn> columns, GroupingSource source, QList<int> grouping)
    : columns_(std::move(columns)), source_(std::move(source)), grouping_(std::move(grouping)) {}

QString GroupingSql::condition(const QVariantList& path, const QString& ordered,
                               const PageStart& start, QVariantList& values) const {
    QStringList parts;
    if (!source_.where.trimmed().isEmpty()) {
        parts << QLatin1Char('(') + source_.where + QLatin1Char(')');
        values << source_.values;
    }
    for (qsizetype level = 0; level < path.size() && level < grouping_.size(); ++level) {
        // IS also matches the NULL group, and still lets an index find the rows.
        parts << QStringLiteral("(%1) IS ?").arg(columns_[grouping_[level]].field);
        values << path[level];
    }
    if (!start.fromFirst) {
        if (start.after.isNull()) {
            parts << QStringLiteral("(%1) IS NOT NULL").arg(ordered);  // after the NULL group
        } else {
            parts << QStringLiteral("(%1) > ?").arg(ordered);
            values << start.after;
        }
    }
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

QString GroupingSql::sums() const {
    QString text;
    for (const GroupingColumn& column : columns_) {
        if (column.sum) {
            text += QStringLiteral(", TOTAL(%1)").arg(column.field);
        }
    }
    return text;
}

QString GroupingSql::from() const {
    return QStringLiteral(" FROM ") + source_.from + source_.lookups;
}

BoundStatement GroupingSql::rows(const QVariantList& path, const PageStart& start,
                                 int limit) const {
    BoundStatement statement;
    QStringList fields{source_.key};
    for (const GroupingColumn& column : columns_) {
        fields << column.field;
    }
    statement.sql = QStringLiteral("SELECT ") + fields.join(QStringLiteral(", ")) + from() +
                    condition(path, source_.key, start, statement.values) +
                    QStringLiteral(" ORDER BY %1 LIMIT ?").arg(source_.key);
    statement.values << limit;
    return statement;
}

BoundStatement GroupingSql::keys(const QVariantList& path, const PageStart& start,
                                 int limit) const {
    BoundStatement statement;
    statement.sql = QStringLiteral("SELECT ") + source_.key + from() +
                    condition(path, source_.key, start, statement.values) +
                    QStringLiteral(" ORDER BY %1 LIMIT ?").arg(source_.key);
    statement.values << limit;
    return statement;
}

BoundStatement GroupingSql::groups(const QVariantList& path, const PageStart& start,
                                   int limit) const {
    BoundStatement statement;
    const QString& field = columns_[grouping_[path.size()]].field;
    statement.sql = QStringLiteral("SELECT %1, COUNT(*)").arg(field) + sums() + from() +
                    condition(path, field, start, statement.values) +
                    QStringLiteral(" GROUP BY %1 ORDER BY %1 LIMIT ?").arg(field);
    statement.values << limit;
    return statement;
}

BoundStatement GroupingSql::totals(const QStringList& extra) const {
    BoundStatement statement;
    QString aggregates = QStringLiteral("COUNT(*)") + sums();
    for (const QString& expression : extra) {
        aggregates += QStringLiteral(", ") + expression;
    }
    // Without the lookups: they change no count and no sum.
    statement.sql = QStringLiteral("SELECT ") + aggregates + QStringLiteral(" FROM ") +
                    source_.from + condition({}, {}, PageStart::first(), statement.values);
    return statement;
}

}  // namespace tavrel
