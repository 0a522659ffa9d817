#pragma once

#include <QDateTime>
#include <QString>

#include "reports/report_content.h"
#include "reports/report_presenter.h"

namespace tavrel {

struct Context;

// Fills a template with the rows of the data folder's main database that the selection formula
// selects (an empty formula selects every row the template reads). Throws AppError: 53 for a
// missing template or database, 75 for an unreadable template, 20500 for a fault in the
// template or the formula, 3000 for a database failure.
ReportContent buildReport(const QString& dataFolder, const QString& templatePath,
                          const QString& formula, const QDateTime& printedAt);

// buildReport, then writes the pages to a PDF file without any window. Returns the number of
// pages. Throws AppError as buildReport does, and 75 when the PDF cannot be written.
int renderReportToPdf(const QString& dataFolder, const QString& templatePath,
                      const QString& formula, const QString& pdfPath, const QDateTime& printedAt);

// Prints a report for a screen: the template `templateFileName` of the context's data folder,
// filled from its cheques.db with the selection formula, shown in the preview window (or sent
// to the printer). Runs as one step under the error convention with the caller's form name: a
// missing or faulty template, a bad formula or a missing database is reported to the operator
// and kept in the error log, and the call returns false. The old report component's two
// settings (a yes/no and the number 2) have no counterpart: the preview always offers printing
// and saving as PDF.
//
// The report's pages are counted before its rows are read; a report of a thousand pages or more
// asks the operator first, and a No prints nothing (false, no error). The preview opens on the
// first page as soon as its rows are read and reads the rest while it is open.
bool imprimeRelatorio(Context& context, const QString& formName, const QString& templateFileName,
                      const QString& formula = {}, ReportOutput output = ReportOutput::Preview);

// Shows or prints a report already filled (a grid a screen prints as arranged): through
// Context::reports when set, otherwise in the preview window or on the printer.
void presentReport(Context& context, const PrintedReport& report);

// The main menu's clients report: relclientes.rpt, every client, under the main menu's name.
bool imprimeRelacaoClientes(Context& context);

}  // namespace tavrel
