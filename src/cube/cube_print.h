#pragma once

#include <QString>

#include "reports/report_content.h"

namespace tavrel {

struct Context;
class PivotView;

// The current view of the cube as a report: one column per row heading level and one per
// column of the view, a line per row (total lines as totals), the title "Gerador de Relatórios"
// and the footer "- Page n -".
ReportContent cubeReport(const PivotView& view);

// Shows the cube's print preview (from which the operator prints or saves a PDF); in tests the
// report is recorded instead. Runs under the error convention with the screen's form name.
bool imprimeCubo(Context& context, const QString& formName, const PivotView& view);

}  // namespace tavrel
