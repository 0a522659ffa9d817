#pragma once

#include <QDateTime>
#include <QStringList>

#include "reports/report_content.h"

namespace tavrel {

// The log text shown on the log viewer as a report: one report line per line of text, a long
// line continued on the next ones rather than cut short.
ReportContent relatorioDoLog(const QStringList& lines, const QDateTime& printedAt);

}  // namespace tavrel
