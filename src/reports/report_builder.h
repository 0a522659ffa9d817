#pragma once

#include <QDateTime>
#include <QVariantList>
#include <functional>

#include "reports/report_content.h"

namespace tavrel {

// Gives the next row (the query's fields in order); false when there are no more.
using RowSource = std::function<bool(QVariantList& row)>;

// Fills the template with the rows, which come ordered by the groups: headings, group headers
// and footers with their totals, one line per row, the grand total and the summary lines.
// `printedAt` is the printing date and time the page bands show. The template's columns must be
// bound to the rows' fields (buildReportQuery does that).
ReportContent buildContent(const ReportTemplate& report, const RowSource& rows,
                           const QDateTime& printedAt);

}  // namespace tavrel
