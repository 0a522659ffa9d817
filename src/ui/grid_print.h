#pragma once

#include <QDateTime>
#include <QList>
#include <QModelIndex>
#include <QString>
#include <functional>

#include "reports/report_content.h"

namespace tavrel {

class GroupingModel;

// How the operator asked for a grid to be printed.
struct GridPrintOptions {
    QString title;
    bool selectedOnly = false;       // only the selected rows (and groups)
    bool repeatCaptions = true;      // column captions on every page, not only the first
    bool pageBreakPerGroup = false;  // each outermost group starts a page
    bool landscape = false;
    QDateTime printedAt;
    bool dateInFooterToo = false;  // the date in the footer as well as in the header
};

// The grid as the operator sees it.
struct GridPrintShape {
    QList<int> columns;  // visible columns, in display order
    std::function<bool(const QModelIndex& header)> expanded;
    // With selectedOnly: whether a group header is selected (its whole group prints), whether
    // anything inside a group is selected, and the selected detail rows under a parent, in order.
    std::function<bool(const QModelIndex& header)> selected;
    std::function<bool(const QModelIndex& header)> containsSelection;
    std::function<QList<int>(const QModelIndex& parent)> selectedRows;
};

// A printed grid never holds more lines than this: a million rows would be tens of thousands of
// pages and more memory than the machine has. Group, filter or select to print fewer.
inline constexpr int kGridPrintLineLimit = 50000;

// The grid as arranged, as a report: a group header line per group (collapsed groups print
// their header and totals only), the rows of expanded groups, group footers and the grand total
// with the summed columns in currency, the date in the header and "Page n of m" in the footer.
// Totals of a selection are the totals of the rows printed. Each column is as wide as what it
// prints, in the largest type from 8 to 6 points that puts the columns on the page. Throws
// AppError (report) when the grid would print more than kGridPrintLineLimit lines.
ReportContent buildGridReport(GroupingModel& model, const GridPrintShape& shape,
                              const GridPrintOptions& options);

}  // namespace tavrel
