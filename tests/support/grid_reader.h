#pragma once

#include <QList>
#include <QStringList>

namespace tavrel {
class GroupingGrid;
}

namespace tavrel::test {

// The lines a grouping grid shows, top to bottom, as the operator sees them: a group header as
// one cell holding "> " and its caption (indented two blanks a level), a footer as "=" followed
// by its cells, a row as its cells; cells of the visible columns in display order. Lines inside
// collapsed groups are not shown; every row of an expanded list is read. Waits for the rows
// asked for last (a new source or grouping) first.
QList<QStringList> gridLines(const GroupingGrid* grid);

}  // namespace tavrel::test
