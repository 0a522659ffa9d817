#pragma once

#include <QString>

#include "reports/report_content.h"

namespace tavrel {

struct Context;

// Where a printed report goes: the preview window (from which the operator prints or saves a
// PDF), or straight to the default printer.
enum class ReportOutput { Preview, Printer };

// A report a screen printed, filled and ready to show.
struct PrintedReport {
    QString formName;      // the screen that printed it
    QString templateName;  // e.g. "troca.rpt"
    QString formula;       // the selection formula as the screen wrote it
    ReportOutput output = ReportOutput::Preview;
    ReportContent content;
};

// Shows or prints a filled report. The program leaves Context::reports empty and the report
// goes to the preview window or the printer; tests put a recorder there, so no window opens
// and the test sees what was printed.
class ReportPresenter {
public:
    virtual ~ReportPresenter() = default;
    virtual void present(Context& context, const PrintedReport& report) = 0;
};

}  // namespace tavrel
