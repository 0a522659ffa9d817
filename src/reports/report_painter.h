#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

#include "reports/pagination.h"
#include "reports/report_content.h"

class QPagedPaintDevice;
class QPainter;

namespace tavrel {

// Paints a report's pages. Works in points (1/72 inch) whatever the device, so the preview,
// the printer and PDF files show the same pages.
class ReportPainter {
public:
    explicit ReportPainter(const ReportContent& content);

    // A4 in the report's orientation with 12 mm margins.
    QPageLayout pageLayout() const;

    // Splits the report into pages for a printable area of this size, in points.
    QVector<PageRange> pages(const QSizeF& printable) const;

    // Paints one page into `printable` (points, in the painter's coordinates).
    void paintPage(QPainter& painter, const QRectF& printable, const PageRange& page,
                   int pageNumber, int pageCount) const;

    struct Style;  // a font and its metrics, made once per report

private:
    double lineHeight() const;
    double topHeight() const;                         // page header band, title and column captions
    double bottomHeight() const;                      // page footer
    QVector<double> columnEdges(double width) const;  // x of each column's left edge, and the end
    void paintLine(QPainter& painter, const ReportLine& line, const QRectF& box,
                   const QVector<double>& edges) const;

    const ReportContent& content_;
    std::shared_ptr<const Style> body_, bold_, italic_, small_, title_, heading_, headingBold_;
};

// Told after each page painted: the pages done and the total. Returning false stops the painting.
using PageProgress = std::function<bool(int done, int total)>;

// Paints every page of the report on a paged device (a PDF writer or a printer) already set up
// with its page layout. Returns the number of pages painted: all of them, or fewer when the
// progress stopped it (a print job is then aborted). Throws AppError when painting cannot start.
int paintReport(const ReportContent& content, QPagedPaintDevice& device,
                const PageProgress& progress = {});

// Writes the report to a PDF file; returns the number of pages, or 0 when the progress stopped
// it (no file is left then). Throws AppError (file access) when the file cannot be written.
int writeReportPdf(const ReportContent& content, const QString& path,
                   const PageProgress& progress = {});

}  // namespace tavrel
