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
    query.sql = QStringLiteral("SELECT ") + selected.join(QStringLiteral(", ")) +
                QStringLiteral(" FROM ") + from + joins.sql;
    query.values = joins.values;

    const SqlCondition fixed = templateCondition(report.where, report.whereLine);
    const SqlCondition selection = selectionCondition(formula, scope);
    if (!fixed.isEmpty() || !selection.isEmpty()) {
        QStringList conditions;
        if (!fixed.isEmpty()) {
            conditions << QLatin1Char('(') + fixed.sql + QLatin1Char(')');
        }
        if (!selection.isEmpty()) {
            conditions << QLatin1Char('(') + selection.sql + QLatin1Char(')');
        }
        query.sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
        query.values += fixed.values;
        query.values += selection.values;
    }

    QStringList order;
    auto orderBy = [&](const Expr& column, bool descending) {
        if (column) {
            order << query.fields[column->field].sql() +
                         (descending ? QStringLiteral(" DESC") : QString());
        }
    };
    for (const TemplateGroup& group : report.groups) {
        orderBy(group.order, false);
        orderBy(group.by, false);
    }
    for (const SortKey& key : report.sort) {
        orderBy(key.column, key.descending);
    }
    const QString mainTable = catalog.table(report.from);
    const QString id = catalog.column(mainTable, QStringLiteral("id"));
    if (!id.isEmpty()) {
        order << ColumnRef{mainTable, id}.sql();
    }
    query.sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return query;
}

}  // namespace tavrel
