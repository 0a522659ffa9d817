#include "reports/report_painter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "core/errors.h"

namespace tavrel {

struct ReportPainter::Style {
    QFont font;
    QFontMetricsF metrics;
};

namespace {

QFont reportFont(int pixelSize, bool bold = false, bool italic = false) {
    // Pixel sizes in a painter scaled to points: the text has the same size on every device.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "fi" stays two letters for whoever searches or copies the PDF's text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

Qt::Alignment qtAlignment(Alignment align) {
    switch (align) {
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

constexpr double kPadding = 2.0;  // points between a cell's edge and its text

std::shared_ptr<const ReportPainter::Style> makeStyle(int pixelSize, bool bold = false,
                                                      bool italic = false) {
    const QFont font = reportFont(pixelSize, bold, italic);
    return std::make_shared<const ReportPainter::Style>(
        ReportPainter::Style{font, QFontMetricsF(font)});
}

// Draws the text in the box in that style, cut short with "…" when it does not fit.
void drawText(QPainter& painter, const ReportPainter::Style& style, const QRectF& box,
              const QString& text, Qt::Alignment align) {
    if (text.isEmpty() || box.width() <= 2 * kPadding) {
        return;
    }
    const QRectF inner = box.adjusted(kPadding, 0, -kPadding, 0);
    const QString shown = style.metrics.horizontalAdvance(text) <= inner.width()
                              ? text
                              : style.metrics.elidedText(text, Qt::ElideRight, inner.width());
    if (painter.font() != style.font) {
        painter.setFont(style.font);
    }
    painter.drawText(inner, static_cast<int>(align | Qt::AlignVCenter), shown);
}

QString withPageNumbers(QString text, int page, int pages) {
    text.replace(QStringLiteral("{page}"), QString::number(page));
    text.replace(QStringLiteral("{pages}"), QString::number(pages));
    return text;
}

}  // namespace

ReportPainter::ReportPainter(const ReportContent& content)
    : content_(content),
      body_(makeStyle(content.fontSize)),
      bold_(makeStyle(content.fontSize, true)),
      italic_(makeStyle(content.fontSize, false, true)),
      small_(makeStyle(content.fontSize - 1)),
      title_(makeStyle(content.fontSize + 5, true)),
      heading_(makeStyle(content.fontSize + 1)),
      headingBold_(makeStyle(content.fontSize + 1, true)) {}

QPageLayout ReportPainter::pageLayout() const {
    return QPageLayout(QPageSize(QPageSize::A4),
                       content_.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait,
                       QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

double ReportPainter::lineHeight() const {
    return content_.fontSize * 1.5;
}

double ReportPainter::topHeight() const {
    const bool band = !content_.headerLeft.isEmpty() || !content_.headerCenter.isEmpty() ||
                      !content_.headerRight.isEmpty();
    return (band ? lineHeight() : 0) + (content_.fontSize + 5) * 1.8 + lineHeight() * 1.3;
}

double ReportPainter::bottomHeight() const {
    return lineHeight() * 1.5;
}

QVector<PageRange> ReportPainter::pages(const QSizeF& printable) const {
    const double body = printable.height() - topHeight() - bottomHeight();
    return paginateLines(content_.lines, static_cast<int>(body / lineHeight()));
}

QVector<double> ReportPainter::columnEdges(double width) const {
    double total = 0;
    for (const ContentColumn& column : content_.columns)
        total += column.width;
    QVector<double> edges{0.0};
    double x = 0;
    for (const ContentColumn& column : content_.columns) {
        x += total > 0 ? width * column.width / total : 0;
        edges << x;
    }
    return edges;
}

void ReportPainter::paintPage(QPainter& painter, const QRectF& printable, const PageRange& page,
                              int pageNumber, int pageCount) const {
    painter.save();
    painter.translate(printable.topLeft());
    const double width = printable.width();
    const double line = lineHeight();
    const int size = content_.fontSize;
    const QVector<double> edges = columnEdges(width);
    QPen thin(Qt::black, 0.5);
    painter.setPen(thin);
    double y = 0;

    // Page header band and title.
    if (!content_.headerLeft.isEmpty() || !content_.headerCenter.isEmpty() ||
        !content_.headerRight.isEmpty()) {
        const QRectF band(0, y, width, line);
        drawText(painter, *small_, band,
                 withPageNumbers(content_.headerLeft, pageNumber, pageCount), Qt::AlignLeft);
        drawText(painter, *small_, band,
                 withPageNumbers(content_.headerCenter, pageNumber, pageCount), Qt::AlignHCenter);
        drawText(painter, *small_, band,
                 withPageNumbers(content_.headerRight, pageNumber, pageCount), Qt::AlignRight);
        y += line;
    }
    const double titleHeight = (size + 5) * 1.8;
    drawText(painter, *title_, QRectF(0, y, width, titleHeight), content_.title, Qt::AlignHCenter);
    y += titleHeight;
    // Column captions, under the headings of the first page, at the top of the others.
    bool captionsDrawn = false;
    auto captions = [&] {
        painter.setPen(thin);
        const double captionHeight = line * 1.3;
        for (qsizetype c = 0; c < content_.columns.size(); ++c) {
            drawText(painter, *bold_, QRectF(edges[c], y, edges[c + 1] - edges[c], captionHeight),
                     content_.columns[c].caption, qtAlignment(content_.columns[c].align));
        }
        y += captionHeight;
        painter.drawLine(QPointF(0, y), QPointF(width, y));
        captionsDrawn = true;
    };
    const bool withCaptions = content_.repeatCaptions || pageNumber == 1;
    for (int i = page.first; i < page.first + page.count && i < content_.lines.size(); ++i) {
        const ReportLine current = content_.lines[i];
        if (withCaptions && !captionsDrawn && current.kind != ReportLine::Kind::Heading &&
            current.kind != ReportLine::Kind::Blank) {
            captions();
        }
        paintLine(painter, current, QRectF(0, y, width, line), edges);
        y += line;
    }
    if (withCaptions && !captionsDrawn) {
        captions();
    }

    // Page footer at the bottom of the printable area.
    const double footerTop = printable.height() - line;
    painter.setPen(thin);
    painter.drawLine(QPointF(0, footerTop - line * 0.25), QPointF(width, footerTop - line * 0.25));
    const QRectF footer(0, footerTop, width, line);
    drawText(painter, *small_, footer, withPageNumbers(content_.footerLeft, pageNumber, pageCount),
             Qt::AlignLeft);
    drawText(painter, *small_, footer,
             withPageNumbers(content_.footerCenter, pageNumber, pageCount), Qt::AlignHCenter);
    drawText(painter, *small_, footer, withPageNumbers(content_.footerRight, pageNumber, pageCount),
             Qt::AlignRight);
    painter.restore();
}

void ReportPainter::paintLine(QPainter& painter, const ReportLine& line, const QRectF& box,
                              const QVector<double>& edges) const {
    using Kind = ReportLine::Kind;
    const int size = content_.fontSize;
    const double indent = line.level * size;
    auto cells = [&](bool bold) {
        const Style& style = bold ? *bold_ : *body_;
        for (qsizetype c = 0; c < line.cells.size() && c + 1 < edges.size(); ++c) {
            drawText(painter, style,
                     QRectF(edges[c], box.top(), edges[c + 1] - edges[c], box.height()),
                     line.cells[c], qtAlignment(content_.columns[c].align));
        }
    };
    // Totals: the label runs up to the first column with a total, the totals sit under their
    // columns with a rule above them.
    auto totals = [&](bool fullRule) {
        qsizetype firstTotal = line.cells.size();
        for (qsizetype c = 0; c < line.cells.size(); ++c) {
            if (!line.cells[c].isEmpty()) {
                firstTotal = c;
                break;
            }
        }
        const double labelEnd = firstTotal < edges.size() ? edges[firstTotal] : box.width();
        const double ruleStart = fullRule ? 0 : labelEnd;
        painter.drawLine(QPointF(ruleStart, box.top()), QPointF(box.width(), box.top()));
        QRectF label(box.left() + indent, box.top(), labelEnd - indent, box.height());
        if (labelEnd - indent < box.width() * 0.15) {
            label.setWidth(box.width() - indent);  // no room before the totals: write it over
        }
        drawText(painter, *bold_, label, line.text, Qt::AlignLeft);
        cells(true);
    };

    switch (line.kind) {
        case Kind::Heading:
            drawText(painter, *heading_, box, line.text, Qt::AlignLeft);
            break;
        case Kind::GroupHeader:
            drawText(painter, *bold_, box.adjusted(indent, 0, 0, 0), line.text, Qt::AlignLeft);
            break;
        case Kind::Detail:
            cells(false);
            break;
        case Kind::GroupFooter:
            totals(false);
            break;
        case Kind::GrandTotal:
            totals(true);
            break;
        case Kind::Summary: {
            const Style& style = line.bold ? *headingBold_ : *heading_;
            const double w = box.width();
            drawText(painter, style, QRectF(w * 0.40, box.top(), w * 0.40, box.height()), line.text,
                     Qt::AlignRight);
            drawText(painter, style, QRectF(w * 0.80, box.top(), w * 0.20, box.height()),
                     line.cells.value(0), Qt::AlignRight);
            break;
        }
        case Kind::Note:
            drawText(painter, *italic_, box, line.text, Qt::AlignHCenter);
            break;
        case Kind::Blank:
            break;
    }
}

int paintReport(const ReportContent& content, QPagedPaintDevice& device,
                const PageProgress& progress) {
    const ReportPainter report(content);
    const QRectF paintRect = device.pageLayout().paintRect(QPageLayout::Point);
    const QRectF printable(0, 0, paintRect.width(), paintRect.height());
    const QVector<PageRange> pages = report.pages(printable.size());
    QPainter painter;
    if (!painter.begin(&device)) {
        throw AppError(error_number::kReport,
                       QStringLiteral("Não foi possível iniciar a impressão do relatório."),
                       QStringLiteral("Relatório"));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    // The device's origin is the top left of its printable area; we work in points.
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    const int pageCount = static_cast<int>(pages.size());
    int painted = 0;
    while (painted < pageCount) {
        if (painted > 0) {
            device.newPage();
        }
        report.paintPage(painter, printable, pages[painted], painted + 1, pageCount);
        ++painted;
        if (progress && !progress(painted, pageCount) && painted < pageCount) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
                printer->abort();
            }
            break;
        }
    }
    painter.end();
    return painted;
}

int writeReportPdf(const ReportContent& content, const QString& path,
                   const PageProgress& progress) {
    // QPdfWriter does not say when it cannot write; try the file first.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            throw AppError(error_number::kFileAccess,
                           QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                               .arg(path, probe.errorString()),
                           QFileInfo(path).fileName());
        }
    }
    const ReportPainter report(content);
    int pages = 0;
    int painted = 0;
    {
        QPdfWriter writer(path);
        writer.setTitle(content.title);
        writer.setCreator(QStringLiteral("Tavrel Troca de Cheques"));
        writer.setPageLayout(report.pageLayout());
        painted = paintReport(content, writer, [&](int done, int total) {
            pages = total;
            return !progress || progress(done, total);
        });
    }
    if (painted < pages) {
        QFile::remove(path);  // stopped: half a report is no report
        return 0;
    }
    return painted;
}

}  // namespace tavrel
