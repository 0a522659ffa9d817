#pragma once

#include <QVector>

#include "reports/report_content.h"

namespace tavrel {

// The lines of one page: lines[first] to lines[first + count - 1].
struct PageRange {
    int first = 0;
    int count = 0;
};

// Splits a report's lines into pages of at most `linesPerPage` lines (at least one). A group
// header is not left at the foot of a page without its first line; the grand total and the
// summary lines stay together when they fit on one page; a blank line is not carried to the top
// of a page; a line marked pageBreakBefore starts a page. A report always has at least one page.
QVector<PageRange> paginate(const QVector<ReportLine>& lines, int linesPerPage);
QVector<PageRange> paginateLines(const ReportLines& lines, int linesPerPage);

}  // namespace tavrel
