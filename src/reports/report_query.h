#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include "reports/column_catalog.h"

namespace tavrel {

struct ReportTemplate;

// The statement that reads a report's rows: its SQL (every value a "?" placeholder), the values
// to bind, and the columns it selects, in order.
struct ReportQuery {
    QString sql;
    QVariantList values;
    QVector<ColumnRef> fields;

    // The same statement in pieces, to read it in parts.
    QString mainTable;  // the template's `from` table, as the schema spells it
    QString select;     // "SELECT ..."
    QString from;       // " FROM ... JOIN ...", with its values first
    QVariantList fromValues;
    QStringList conditions;  // joined with AND; their values follow
    QVariantList conditionValues;
    QStringList order;  // the ORDER BY terms
    // The fields the groups are ordered by, as the first terms of the order: each group's
    // `order` column (when it has one), then its `by` column. `outerGroupFields` of them belong
    // to the outermost group.
    QVector<int> groupFields;
    int outerGroupFields = 0;
};

// Checks every table and column the template names against the catalog, binds each column of
// its expressions to its place in the query's row, and builds the statement: the template's
// table and joins, its fixed condition and the selection formula, ordered by the groups, then
// the template's sort, then the main table's id so equal rows keep the order they were written
// in. A fault of the template names it and its line; a fault of the formula quotes the formula
// (both AppError, report error number).
ReportQuery buildReportQuery(const ReportTemplate& report, const QString& templateName,
                             const ColumnCatalog& catalog, const QString& formula);

// How the report's rows fall into its groups without reading them: one row per run of rows that
// share every group column, in the report's order, with the group fields (query.groupFields, in
// that order) and the number of rows last. With no groups, one row with the number of rows.
ReportQuery groupRunsQuery(const ReportQuery& query);

// The report's statement for the rows of one outermost group only: the values of its
// outer group fields are bound last, in the order of query.groupFields. Read one after the other
// in the order groupRunsQuery gives them, the groups give the report's rows in the report's order.
ReportQuery outerGroupQuery(const ReportQuery& query);

}  // namespace tavrel
