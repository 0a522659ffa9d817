#include "reports/report_query.h"

#include <QHash>
#include <QStringList>

#include "reports/report_template.h"
#include "reports/selection_formula.h"
#include "reports/syntax.h"

namespace tavrel {
namespace {

void append(ReportQuery& query, const QString& clause, const SqlCondition& condition) {
    query.sql += clause + condition.sql;
    query.values += condition.values;
}

QString whereClause(const QStringList& conditions) {
    return conditions.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

QStringList fieldsSql(const ReportQuery& query, const QVector<int>& fields) {
    QStringList sql;
    for (int field : fields) {
        sql << query.fields[field].sql();
    }
    return sql;
}

}  // namespace

ReportQuery buildReportQuery(const ReportTemplate& report, const QString& templateName,
                             const ColumnCatalog& catalog, const QString& formula) {
    ReportQuery query;
    ColumnScope scope(catalog);
    auto templateCondition = [&](const QString& text, int line) {
        try {
            return parseCondition(text, scope);
        } catch (const SyntaxError& error) {
            throwTemplateError(templateName, line,
                               QStringLiteral("%1 (posição %2 de \"%3\")")
                                   .arg(error.message)
                                   .arg(error.position + 1)
                                   .arg(text));
        }
    };

    try {
        scope.addTable(report.from);
    } catch (const SyntaxError& error) {
        throwTemplateError(templateName, report.fromLine, error.message);
    }
    QString from = quoteIdentifier(catalog.table(report.from));
    ReportQuery joins;
    for (const TemplateJoin& join : report.joins) {
        try {
            scope.addTable(join.table, join.alias);
        } catch (const SyntaxError& error) {
            throwTemplateError(templateName, join.line, error.message);
        }
        QString clause = join.left ? QStringLiteral(" LEFT JOIN ") : QStringLiteral(" INNER JOIN ");
        clause += quoteIdentifier(catalog.table(join.table));
        if (!join.alias.isEmpty()) {
            clause += QStringLiteral(" AS ") + quoteIdentifier(join.alias);
        }
        const SqlCondition on = templateCondition(join.condition, join.line);
        if (on.isEmpty()) {
            throwTemplateError(templateName, join.line, QStringLiteral("a junção precisa de on="));
        }
        append(joins, clause + QStringLiteral(" ON "), on);
    }

    // Every column the layout shows or orders by becomes one field of the SELECT.
    QHash<QString, int> fieldIndex;
    report.forEachColumn([&](ExprNode& node) {
        ColumnRef ref;
        try {
            ref = scope.resolve(node.table, node.column);
        } catch (const SyntaxError& error) {
            throwTemplateError(templateName, node.line, error.message);
        }
        const auto found = fieldIndex.constFind(ref.key());
        if (found != fieldIndex.cend()) {
            node.field = *found;
            return;
        }
        node.field = static_cast<int>(query.fields.size());
        fieldIndex.insert(ref.key(), node.field);
        query.fields << ref;
    });

    QStringList selected;
    for (const ColumnRef& ref : std::as_const(query.fields)) {
        selected << ref.sql();
    }
    if (selected.isEmpty()) {
        selected << QStringLiteral("1");
    }
    query.from = QStringLiteral(" FROM ") + from + joins.sql;
    query.fromValues = joins.values;

    const SqlCondition fixed = templateCondition(report.where, report.whereLine);
    const SqlCondition selection = selectionCondition(formula, scope);
    for (const SqlCondition* condition : {&fixed, &selection}) {
        if (!condition->isEmpty()) {
            query.conditions << QLatin1Char('(') + condition->sql + QLatin1Char(')');
            query.conditionValues += condition->values;
        }
    }

    auto orderBy = [&](const Expr& column, bool descending) {
        if (column) {
            query.order << query.fields[column->field].sql() +
                               (descending ? QStringLiteral(" DESC") : QString());
        }
    };
    for (qsizetype l = 0; l < report.groups.size(); ++l) {
        const TemplateGroup& group = report.groups[l];
        for (const Expr& column : {group.order, group.by}) {
            if (column) {
                orderBy(column, false);
                query.groupFields << column->field;
                if (l == 0) {
                    ++query.outerGroupFields;
                }
            }
        }
    }
    for (const SortKey& key : report.sort) {
        orderBy(key.column, key.descending);
    }
    query.mainTable = catalog.table(report.from);
    const QString id = catalog.column(query.mainTable, QStringLiteral("id"));
    if (!id.isEmpty()) {
        query.order << ColumnRef{query.mainTable, id}.sql();
    }

    query.select = QStringLiteral("SELECT ") + selected.join(QStringLiteral(", "));
    query.sql = query.select + query.from + whereClause(query.conditions) +
                QStringLiteral(" ORDER BY ") + query.order.join(QStringLiteral(", "));
    query.values = query.fromValues + query.conditionValues;
    return query;
}

ReportQuery groupRunsQuery(const ReportQuery& query) {
    ReportQuery runs;
    runs.values = query.fromValues + query.conditionValues;
    if (query.groupFields.isEmpty()) {
        runs.sql = QStringLiteral("SELECT COUNT(*)") + query.from + whereClause(query.conditions);
        return runs;
    }
    const QString keys = fieldsSql(query, query.groupFields).join(QStringLiteral(", "));
    runs.sql = QStringLiteral("SELECT ") + keys + QStringLiteral(", COUNT(*)") + query.from +
               whereClause(query.conditions) + QStringLiteral(" GROUP BY ") + keys +
               QStringLiteral(" ORDER BY ") + keys;
    for (int field : query.groupFields) {
        runs.fields << query.fields[field];
    }
    return runs;
}

ReportQuery outerGroupQuery(const ReportQuery& query) {
    QStringList conditions = query.conditions;
    for (const QString& field :
         fieldsSql(query, query.groupFields.mid(0, query.outerGroupFields))) {
        conditions << field + QStringLiteral(" IS ?");
    }
    ReportQuery group = query;
    group.conditions = conditions;
    group.sql = query.select + query.from + whereClause(conditions) + QStringLiteral(" ORDER BY ") +
                query.order.join(QStringLiteral(", "));
    return group;
}

}  // namespace tavrel
