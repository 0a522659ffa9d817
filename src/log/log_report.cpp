#include "log/log_report.h"

namespace tavrel {
namespace {

// Characters of a log line that fit across a landscape page in the report's 8-point type.
constexpr qsizetype kCharactersPerLine = 110;

// The line in pieces of at most kCharactersPerLine, broken at a blank where there is one.
QStringList pieces(const QString& line) {
    QStringList result;
    QString rest = line;
    while (rest.size() > kCharactersPerLine) {
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), kCharactersPerLine);
        if (cut <= 0) {
            cut = kCharactersPerLine;
        }
        result << rest.left(cut);
        rest = rest.mid(cut);
    }
    result << rest;
    return result;
}

}  // namespace

ReportContent relatorioDoLog(const QStringList& lines, const QDateTime& printedAt) {
    ReportContent content;
    content.title = QStringLiteral("Log de Operação");
    content.orientation = Orientation::Landscape;
    content.fontSize = 8;
    content.columns = {{QString(), 10, Alignment::Left}};
    content.footerLeft = QStringLiteral("Impresso em %1 às %2")
                             .arg(printedAt.toString(QStringLiteral("dd/MM/yyyy")),
                                  printedAt.toString(QStringLiteral("hh:mm")));
    content.footerRight = QStringLiteral("Página {page} de {pages}");
    for (const QString& line : lines) {
        for (const QString& piece : pieces(line)) {
            ReportLine reportLine;
            reportLine.cells = {piece};
            content.lines << reportLine;
        }
        ++content.rowCount;
    }
    return content;
}

}  // namespace tavrel
