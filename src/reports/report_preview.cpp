#include "reports/report_preview.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "log/error_report.h"
#include "reports/report_file_name.h"
#include "reports/report_painter.h"
#include "ui/window_placement.h"

namespace tavrel {
namespace {

constexpr int kFitWidth = 0;    // the zoom item that fits the page to the window's width
constexpr int kPageMargin = 4;  // pixels around the page
// The window's width beside the page: margins, the frame and the vertical scroll bar.
constexpr int kWindowChrome = 60;

}  // namespace

ReportPreview::ReportPreview(Context& context, PrintedReport report, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), report_(std::move(report)) {
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Visualização - %1").arg(report_.content.title));

    const ReportPainter painter(report_.content);
    pages_ = painter.pages(painter.pageLayout().paintRect(QPageLayout::Point).size());

    auto button = [this](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    QPushButton* first = button(QStringLiteral("|<"), QStringLiteral("primeira"));
    QPushButton* previous = button(QStringLiteral("<"), QStringLiteral("anterior"));
    QPushButton* next = button(QStringLiteral(">"), QStringLiteral("proxima"));
    QPushButton* last = button(QStringLiteral(">|"), QStringLiteral("ultima"));
    QPushButton* printButton = button(QStringLiteral("&Imprimir"), QStringLiteral("imprimir"));
    QPushButton* pdfButton = button(QStringLiteral("Salvar &PDF"), QStringLiteral("salvarpdf"));
    QPushButton* close = button(QStringLiteral("&Fechar"), QStringLiteral("fechar"));
    pageNumber_ = new QLabel(this);
    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200}) {
        zoom_->addItem(QStringLiteral("%1%").arg(percent), percent);
    }
    zoom_->addItem(QStringLiteral("Largura da página"), kFitWidth);
    zoom_->setCurrentIndex(zoom_->findData(100));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(previous),
                       static_cast<QWidget*>(pageNumber_), static_cast<QWidget*>(next),
                       static_cast<QWidget*>(last), static_cast<QWidget*>(zoom_)}) {
        bar->addWidget(w);
    }
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(pdfButton);
    bar->addWidget(close);

    page_ = new QLabel;
    page_->setAlignment(Qt::AlignCenter);
    page_->setMargin(kPageMargin);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(page_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(previous, &QPushButton::clicked, this, [this] { showPage(current_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPage(current_ + 1); });
    connect(last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { render(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // The page at full size, shrunk to the screen when shown.
    resize(static_cast<int>(pageWidthAt(1.0)) + kWindowChrome, 1000);
    render();
}

bool ReportPreview::fitsWidth() const {
    return zoom_->currentData().toInt() == kFitWidth;
}

double ReportPreview::zoom() const {
    if (!fitsWidth()) {
        return zoom_->currentData().toInt() / 100.0;
    }
    // The room beside a vertical scroll bar, which a page shown this wide always needs.
    const int room = scroll_->width() - 2 * scroll_->frameWidth() -
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_) -
                     2 * kPageMargin;
    return std::max(0.1, room / pageWidthAt(1.0));
}

double ReportPreview::pageWidthAt(double zoom) const {
    const QRectF paper = ReportPainter(report_.content).pageLayout().fullRect(QPageLayout::Point);
    const double dpi = screen() != nullptr ? screen()->logicalDotsPerInch() : 96.0;
    return paper.width() * zoom * dpi / 72.0;
}

void ReportPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // On a small screen the whole width of the page matters more than its size.
        if (pageWidthAt(zoom()) + 2 * kPageMargin > scroll_->viewport()->width()) {
            zoom_->setCurrentIndex(zoom_->findData(kFitWidth));
        }
    }
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fitsWidth()) {
        render();
    }
}

void ReportPreview::showPage(int page) {
    current_ = std::clamp(page, 0, pageCount() - 1);
    render();
}

void ReportPreview::render() {
    const ReportPainter painter(report_.content);
    const QPageLayout layout = painter.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    const double dpi = screen() != nullptr ? screen()->logicalDotsPerInch() : 96.0;
    const double scale = zoom() * dpi / 72.0;
    QImage image((paper.size() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(scale, scale);
        painter.paintPage(p, printable, pages_[current_], current_ + 1, pageCount());
    }
    page_->setPixmap(QPixmap::fromImage(image));
    pageNumber_->setText(QStringLiteral("Página %1 de %2").arg(current_ + 1).arg(pageCount()));
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
            showPage(current_ + 1);
            break;
        case Qt::Key_PageUp:
            showPage(current_ - 1);
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void ReportPreview::print() {
    runStep(context_, report_.formName, [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(ReportPainter(report_.content).pageLayout());
        printer.setDocName(report_.content.title);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) {
            paintReport(report_.content, printer);
        }
    });
}

void ReportPreview::savePdf() {
    runStep(context_, report_.formName, [this] {
        QString folder =
            context_.desktop != nullptr ? context_.desktop->documentsFolder() : QString();
        if (folder.isEmpty()) {
            folder = QDir::homePath();
        }
        std::optional<QString> path = context_.dialogs->saveFile(
            QStringLiteral("Salvar relatório em PDF"),
            QDir(folder).filePath(reportFileName(report_.templateName, report_.formula)),
            QStringLiteral("Arquivos PDF (*.pdf)"));
        if (!path || path->isEmpty()) {
            return;
        }
        if (!path->endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
            *path += QStringLiteral(".pdf");
        }
        writeReportPdf(report_.content, *path);
    });
}

void presentOnScreen(Context& context, const PrintedReport& report) {
    if (report.output == ReportOutput::Printer) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(ReportPainter(report.content).pageLayout());
        printer.setDocName(report.content.title);
        paintReport(report.content, printer);
        return;
    }
    auto* preview = new ReportPreview(context, report);
    placeOnScreen(preview);
    preview->show();
    preview->raise();
    preview->activateWindow();
}

}  // namespace tavrel
