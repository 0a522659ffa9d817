#pragma once

#include <QString>

class QSqlDatabase;

namespace tavrel {

// Typed names are compared ignoring letter case, accented letters included ("ÉDSON" finds
// "édson"). SQLite's own LIKE and lower() fold only ASCII letters, so every connection gets
// the SQL function
//   tavrel_starts(text, prefix)
// which is 1 when `text` starts with `prefix` once the case of both is folded, 0 when it does
// not, and NULL when `text` is NULL. The prefix is bound as foldCase(typed text): it is taken
// literally (quotes, "%" and "_" are letters like any other), and nothing is copied per row.
void registerTextFunctions(const QSqlDatabase& db);

// The folding tavrel_starts applies, character by character (Unicode simple case folding).
QString foldCase(const QString& text);

}  // namespace tavrel
