#pragma once

#include <QString>

class QSqlDatabase;

namespace tavrel {

// Typed names are compared ignoring letter case, accented letters included ("ÉDSON" finds
// "édson"). SQLite's own LIKE and lower() fold only ASCII letters, so every connection gets
// the SQL function tavrel_fold(text), which folds the case of any letter (NULL stays NULL).
// A prefix search is then
//   tavrel_fold(NM_EMITENTE) LIKE ? ESCAPE '\'
// bound to likePrefix(typed text).
void registerTextFunctions(const QSqlDatabase& db);

// The folding tavrel_fold does, for the bound side of a comparison.
QString foldCase(const QString& text);

// A LIKE pattern (ESCAPE '\') matching every text that starts with `prefix`, ignoring letter
// case; quotes, "%" and "_" in the prefix are taken literally.
QString likePrefix(const QString& prefix);

}  // namespace tavrel
