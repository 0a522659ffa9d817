#include "reports/print_report.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/clock.h"
#include "core/context.h"
#include "data/connection.h"
#include "data/sql.h"
#include "log/error_report.h"
#include "reports/column_catalog.h"
#include "reports/report_builder.h"
#include "reports/report_painter.h"
#include "reports/report_preview.h"
#include "reports/report_query.h"
#include "reports/report_template.h"

namespace tavrel {

ReportContent buildReport(const QString& dataFolder, const QString& templatePath,
                          const QString& formula, const QDateTime& printedAt) {
    const ReportTemplate report = readTemplate(templatePath);
    const QString templateName = QFileInfo(templatePath).fileName();
    Connection connection(QDir(dataFolder).filePath(databaseFileName(DatabaseKind::Cheques)),
                          DatabaseKind::Cheques);
    const ColumnCatalog catalog = readColumnCatalog(connection.db());
    const ReportQuery query = buildReportQuery(report, templateName, catalog, formula);
    QSqlQuery rows = runSql(connection.db(), query.sql, query.values);
    const int fieldCount = static_cast<int>(query.fields.size());
    return buildContent(
        report,
        [&](QVariantList& row) {
            if (!rows.next()) {
                return false;
            }
            row.resize(fieldCount);
            for (int i = 0; i < fieldCount; ++i)
                row[i] = rows.value(i);
            return true;
        },
        printedAt);
}

int renderReportToPdf(const QString& dataFolder, const QString& templatePath,
                      const QString& formula, const QString& pdfPath, const QDateTime& printedAt) {
    return writeReportPdf(buildReport(dataFolder, templatePath, formula, printedAt), pdfPath);
}

bool imprimeRelatorio(Context& context, const QString& formName, const QString& templateFileName,
                      const QString& formula, ReportOutput output) {
    return runStep(context, formName, [&] {
        PrintedReport printed;
        printed.formName = formName;
        printed.templateName = templateFileName;
        printed.formula = formula;
        printed.output = output;
        printed.content = buildReport(context.dataFolder, context.dataPath(templateFileName),
                                      formula, context.clock->now());
        presentReport(context, printed);
    });
}

void presentReport(Context& context, const PrintedReport& report) {
    if (context.reports != nullptr) {
        context.reports->present(context, report);
    } else {
        presentOnScreen(context, report);
    }
}

bool imprimeRelacaoClientes(Context& context) {
    return imprimeRelatorio(context, QStringLiteral("fprincipal"),
                            QStringLiteral("relclientes.rpt"));
}

}  // namespace tavrel
