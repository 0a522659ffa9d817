#include "cube/cube_print.h"

#include "core/context.h"
#include "cube/pivot_view.h"
#include "log/error_report.h"
#include "reports/report_preview.h"

namespace tavrel {

ReportContent cubeReport(const PivotView& view) {
    ReportContent content;
    content.title = QStringLiteral("Gerador de Relatórios");
    content.footerCenter = QStringLiteral("- Page {page} -");
    content.fontSize = 8;
    const int headingLevels = view.rowHeadingLevels();
    const QList<int> rowFields = view.layout().fieldsIn(CubeArea::Row);
    for (int level = 0; level < headingLevels; ++level) {
        const QString caption = level < rowFields.size()
                                    ? view.layout().field(rowFields[level]).caption
                                    : QStringLiteral("Dados");
        content.columns.append({caption, 14, Alignment::Left});
    }
    for (int column = 0; column < view.columnCount(); ++column) {
        QStringList headings;
        for (int level = 0; level < view.columnHeadingLevels(); ++level) {
            const QString heading = view.columnHeading(column, level);
            if (!heading.isEmpty()) {
                headings << heading;
            }
        }
        const QString caption =
            headings.isEmpty() ? QStringLiteral("Total") : headings.join(QStringLiteral(" - "));
        content.columns.append({caption, 10, Alignment::Right});
    }
    for (int row = 0; row < view.rowCount(); ++row) {
        ReportLine line;
        const bool total = view.rowKind(row) == AxisLine::Kind::Total;
        QStringList label;
        for (int level = 0; level < headingLevels; ++level) {
            const QString heading = view.rowHeading(row, level);
            if (total) {
                line.cells << QString();
                if (!heading.isEmpty()) {
                    label << heading;
                }
            } else {
                line.cells << (view.rowHeadingRepeats(row, level) ? QString() : heading);
            }
        }
        for (int column = 0; column < view.columnCount(); ++column) {
            line.cells << view.text(row, column);
        }
        if (total) {
            line.kind = view.rowLine(row).level == 0 ? ReportLine::Kind::GrandTotal
                                                     : ReportLine::Kind::GroupFooter;
            line.text = label.join(QLatin1Char(' '));
        }
        content.lines.append(line);
    }
    content.rowCount = view.rowCount();
    return content;
}

bool imprimeCubo(Context& context, const QString& formName, const PivotView& view) {
    return runStep(context, formName, [&] {
        PrintedReport printed;
        printed.formName = formName;
        printed.content = cubeReport(view);
        if (context.reports != nullptr) {
            context.reports->present(context, printed);
        } else {
            presentOnScreen(context, printed);
        }
    });
}

}  // namespace tavrel
