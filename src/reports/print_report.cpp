#include "reports/print_report.h"

#include <QGuiApplication>
#include <QLocale>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "log/error_report.h"
#include "reports/report_fill.h"
#include "reports/report_painter.h"
#include "reports/report_preview.h"

namespace tavrel {
namespace {

// Thousands of pages are rarely what the operator meant: a report this long is asked about
// before it is read.
constexpr int kPagesToAsk = 1000;

bool operatorWantsIt(Context& context, const ReportFill& fill) {
    if (fill.pages().size() < kPagesToAsk) {
        return true;
    }
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    return context.dialogs->askYesNo(
        QStringLiteral("Este relatório terá %1 páginas (%2 registros). Deseja gerá-lo assim "
                       "mesmo?")
            .arg(brazil.toString(fill.pages().size()), brazil.toString(fill.rowCount())),
        QStringLiteral("Relatório"));
}

// The wait cursor while the report is counted and read; back to normal before any question.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

ReportContent buildReport(const QString& dataFolder, const QString& templatePath,
                          const QString& formula, const QDateTime& printedAt) {
    ReportFill fill(dataFolder, templatePath, formula, printedAt, ReportFill::Plan::OneStatement);
    fill.readAll();
    return fill.takeContent();
}

int renderReportToPdf(const QString& dataFolder, const QString& templatePath,
                      const QString& formula, const QString& pdfPath, const QDateTime& printedAt) {
    return writeReportPdf(buildReport(dataFolder, templatePath, formula, printedAt), pdfPath);
}

bool imprimeRelatorio(Context& context, const QString& formName, const QString& templateFileName,
                      const QString& formula, ReportOutput output) {
    bool produced = false;
    runStep(context, formName, [&] {
        std::unique_ptr<ReportFill> fill;
        {
            const WaitCursor wait;
            fill = std::make_unique<ReportFill>(context.dataFolder,
                                                context.dataPath(templateFileName), formula,
                                                context.clock->now(), ReportFill::Plan::CountFirst);
        }
        if (!operatorWantsIt(context, *fill)) {
            return;
        }
        PrintedReport printed;
        printed.formName = formName;
        printed.templateName = templateFileName;
        printed.formula = formula;
        printed.output = output;
        if (context.reports == nullptr && output == ReportOutput::Preview) {
            presentWhileReading(context, std::move(printed), std::move(fill));
        } else {
            {
                const WaitCursor wait;
                fill->readAll();
            }
            printed.content = fill->takeContent();
            presentReport(context, printed);
        }
        produced = true;
    });
    return produced;
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
