#pragma once

#include "support/fixture.h"

namespace tavrel::test {

// A small data folder for report tests: three clients, exchanges 00012 (three open cheques of
// client 00001, with debits of 50), 00013 (client 00002: settled, open, due tomorrow and
// returned cheques) and 00112 (one open cheque of client 00003), three repurchase entries and a
// three-instalment plan. The clock says 08/12/2026.
class ReportData : public AppFixture {
protected:
    ReportData();

    // The text of the report as pdftotext reads it from a PDF written by renderReportToPdf.
    QString render(const QString& templateName, const QString& formula = {});
    QString pdfPath() const { return programDir.filePath(QStringLiteral("report.pdf")); }

    // Lines of `text` holding `needle`.
    static QStringList linesWith(const QString& text, const QString& needle);
};

}  // namespace tavrel::test
