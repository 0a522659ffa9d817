#pragma once

#include <QString>
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
};

// Checks every table and column the template names against the catalog, binds each column of
// its expressions to its place in the query's row, and builds the statement: the template's
// table and joins, its fixed condition and the selection formula, ordered by the groups, then
// the template's sort, then the main table's id so equal rows keep the order they were written
// in. A fault of the template names it and its line; a fault of the formula quotes the formula
// (both AppError, report error number).
ReportQuery buildReportQuery(const ReportTemplate& report, const QString& templateName,
                             const ColumnCatalog& catalog, const QString& formula);

}  // namespace tavrel
