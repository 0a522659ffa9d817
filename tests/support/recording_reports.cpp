#include "support/recording_reports.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QTemporaryDir>

#include "reports/report_painter.h"

namespace tavrel::test {

void RecordingReports::present(Context&, const PrintedReport& report) {
    printed_.push_back(report);
}

const PrintedReport& RecordingReports::last() const {
    if (printed_.empty()) {
        ADD_FAILURE() << "no report was printed";
        static const PrintedReport none;
        return none;
    }
    return printed_.back();
}

QString pdfText(const QString& pdfPath) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                   pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdfPath.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString reportText(const ReportContent& content) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    writeReportPdf(content, path);
    return pdfText(path);
}

}  // namespace tavrel::test
