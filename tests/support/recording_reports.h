#pragma once

#include <QString>
#include <vector>

#include "reports/report_presenter.h"

namespace tavrel::test {

// Takes the place of the preview window: records every report the program prints, so a test
// checks the template, the formula and the filled content without a window.
class RecordingReports final : public ReportPresenter {
public:
    void present(Context& context, const PrintedReport& report) override;

    const std::vector<PrintedReport>& printed() const { return printed_; }
    // The last report printed; fails the test when there is none.
    const PrintedReport& last() const;
    void clear() { printed_.clear(); }

private:
    std::vector<PrintedReport> printed_;
};

// The text of a PDF file as `pdftotext -layout` reads it (each line of the page as a line).
QString pdfText(const QString& pdfPath);
// Writes the report to a temporary PDF and returns its text.
QString reportText(const ReportContent& content);

}  // namespace tavrel::test
