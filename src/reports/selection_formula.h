#pragma once

#include <QString>
#include <QVariantList>

namespace tavrel {

class ColumnScope;

// A condition ready for a WHERE or ON clause: SQL text with "?" placeholders and the values to
// bind to them, in order. Empty when there is no condition.
struct SqlCondition {
    QString sql;
    QVariantList values;

    bool isEmpty() const { return sql.isEmpty(); }
};

// Turns a selection formula into a bound SQL condition. The formula language:
//   {table.column}           a column of one of the report's tables (any letter case)
//   'text' or "text"         a text; the quote is doubled inside ('D''Ávila')
//   #2026/12/08#             a date (blanks inside are ignored); compared with the stored
//                            'YYYY-MM-DD' text
//   12, 12.5, -3             numbers
//   = <> < <= > >=           comparisons, between any two of the above
//   AND, OR, NOT, ( )        in any letter case; NOT binds tighter than AND, AND than OR
// A blank formula is no condition. Every value becomes a bound value; the formula's text never
// reaches the SQL. Throws SyntaxError for a malformed formula or an unknown column.
SqlCondition parseCondition(const QString& formula, const ColumnScope& scope);

// As parseCondition, but a fault is an AppError (report error number) whose text says what is
// wrong, where, and quotes the formula.
SqlCondition selectionCondition(const QString& formula, const ColumnScope& scope);

}  // namespace tavrel
