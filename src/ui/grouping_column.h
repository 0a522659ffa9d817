#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include "ui/formatted_query_model.h"

namespace tavrel {

// One column of a grouping grid: its caption, the SQL expression it shows (also its name in
// layout files), how its values are shown and whether it carries group and grand totals.
// Every member has a default, so a screen names only the ones it sets.
struct GroupingColumn {
    QString caption{};
    QString field{};  // e.g. "CHEQUES.VL_CHEQUE", "CLIENTES_1.NM_CLIENTE"
    ColumnFormat format = ColumnFormat::Plain;
    bool sum = false;
};

// Where a grouping grid reads its rows: tables and joins, a condition with bound values, and the
// unique, never empty key that orders the rows and pages through them.
struct GroupingSource {
    QString from{};   // e.g. "CLIENTES INNER JOIN CHEQUES ON ..."
    QString where{};  // empty for every row; values only as "?" placeholders
    QVariantList values{};
    QString key = QStringLiteral("CHEQUES.id");
    // LEFT JOINs on a unique key that only bring columns to show, e.g. " LEFT JOIN CLIENTES AS
    // CLIENTES_1 ON ...": they can neither add nor drop a row, so the count and the totals leave
    // them out (on a million rows each costs a lookup per row). The condition never names them.
    QString lookups{};

    // The same rows, whatever columns the lookups bring.
    bool sameRows(const GroupingSource& other) const {
        return from == other.from && where == other.where && values == other.values &&
               key == other.key;
    }
};

}  // namespace tavrel
