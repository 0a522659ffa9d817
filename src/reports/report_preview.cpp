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
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/context.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "log/error_report.h"
#include "reports/report_file_name.h"
#include "reports/report_fill.h"
#include "ui/window_placement.h"

namespace tavrel {
namespace {

constexpr int kFitWidth = 0;    // the zoom item that fits the page to the window's width
constexpr int kPageMargin = 4;  // pixels around the page
// The window's width beside the page: margins, the frame and the vertical scroll bar.
constexpr int kWindowChrome = 60;

// How long one slice of reading keeps the window busy before it answers the operator again.
constexpr int kReadingSliceMs = 40;

// A progress window over the painting of a long report, with a command to stop it. It shows
// only when the painting takes a while.
class PaintingProgress {
public:
    PaintingProgress(QWidget* parent, const QString& text)
        : dialog_(text, QStringLiteral("&Cancelar"), 0, 0, parent) {
        dialog_.setObjectName(QStringLiteral("progressoPaginas"));
        dialog_.setWindowTitle(QStringLiteral("Relatório"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(800);
    }
    PageProgress callback() {
        return [this](int done, int total) {
            dialog_.setMaximum(total);
            dialog_.setValue(done);  // a window-modal progress also answers the operator here
            return !dialog_.wasCanceled();
        };
    }

private:
    QProgressDialog dialog_;
};

void showPreview(ReportPreview* preview) {
    placeOnScreen(preview);
    preview->show();
    preview->raise();
    preview->activateWindow();
}

}  // namespace

ReportPreview::ReportPreview(Context& context, PrintedReport report, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), report_(std::move(report)) {
    const ReportPainter painter(report_.content);
    pages_ = painter.pages(painter.pageLayout().paintRect(QPageLayout::Point).size());
    build();
}

ReportPreview::ReportPreview(Context& context, PrintedReport report,
                             std::unique_ptr<ReportFill> fill, QWidget* parent)
    : QWidget(parent, Qt::Window),
      context_(context),
      report_(std::move(report)),
      fill_(std::move(fill)) {
    pages_ = fill_->pages();
    reader_ = new QTimer(this);
    connect(reader_, &QTimer::timeout, this, [this] { readMore(); });
    reader_->start(0);
    build();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::build() {
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Visualização - %1").arg(content().title));

    auto button = [this](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    QPushButton* first = button(QStringLiteral("|<"), QStringLiteral("primeira"));
    QPushButton* previous = button(QStringLiteral("<"), QStringLiteral("anterior"));
    QPushButton* next = button(QStringLiteral(">"), QStringLiteral("proxima"));
    QPushButton* last = button(QStringLiteral(">|"), QStringLiteral("ultima"));
    print_ = button(QStringLiteral("&Imprimir"), QStringLiteral("imprimir"));
    savePdf_ = button(QStringLiteral("Salvar &PDF"), QStringLiteral("salvarpdf"));
    QPushButton* close = button(QStringLiteral("&Fechar"), QStringLiteral("fechar"));
    pageNumber_ = new QLabel(this);
    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200}) {
        zoom_->addItem(QStringLiteral("%1%").arg(percent), percent);
    }
    zoom_->addItem(QStringLiteral("Largura da página"), kFitWidth);
    zoom_->setCurrentIndex(zoom_->findData(100));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progresso"));
    progress_->setRange(0, 1000);
    progress_->setFormat(QStringLiteral("Lendo os registros: %p%"));
    cancel_ = button(QStringLiteral("&Cancelar"), QStringLiteral("cancelar"));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(previous),
                       static_cast<QWidget*>(pageNumber_), static_cast<QWidget*>(next),
                       static_cast<QWidget*>(last), static_cast<QWidget*>(zoom_)}) {
        bar->addWidget(w);
    }
    bar->addStretch();
    bar->addWidget(print_);
    bar->addWidget(savePdf_);
    bar->addWidget(close);
    const bool reading = isReading();
    progress_->setVisible(reading);
    cancel_->setVisible(reading);
    print_->setEnabled(!reading);
    savePdf_->setEnabled(!reading);

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
    // The reading's progress below the page, so the command bar stays as narrow as the
    // smallest screen.
    auto* readingBar = new QHBoxLayout;
    readingBar->addWidget(progress_, 1);
    readingBar->addWidget(cancel_);
    layout->addLayout(readingBar);

    connect(first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(previous, &QPushButton::clicked, this, [this] { showPage(current_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPage(current_ + 1); });
    connect(last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { render(); });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });
    connect(savePdf_, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // The page at full size, shrunk to the screen when shown.
    resize(static_cast<int>(pageWidthAt(1.0)) + kWindowChrome, 1000);
    render();
}

const ReportContent& ReportPreview::content() const {
    return fill_ ? fill_->content() : report_.content;
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
    const QRectF paper = ReportPainter(content()).pageLayout().fullRect(QPageLayout::Point);
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
    current_ = std::clamp(page, 0, std::max(0, pageCount() - 1));
    render();
}

void ReportPreview::render() {
    pageNumber_->setText(QStringLiteral("Página %1 de %2").arg(current_ + 1).arg(pageCount()));
    if (fill_ && !fill_->pageReady(current_)) {
        drawn_ = false;
        page_->setPixmap(QPixmap());
        page_->setText(QStringLiteral("Lendo os registros do relatório…"));
        return;
    }
    const ReportPainter painter(content());
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
        painter.paintPage(p, printable, pages_.value(current_), current_ + 1, pageCount());
    }
    page_->setPixmap(QPixmap::fromImage(image));
    drawn_ = true;
    emit pageReady(current_);
}

void ReportPreview::readMore() {
    bool done = false;
    if (!runStep(context_, report_.formName, [&] { done = fill_->readSome(kReadingSliceMs); })) {
        stopReading();
        close();  // a report read in part is no report
        return;
    }
    const qint64 total = std::max<qint64>(1, fill_->rowCount());
    progress_->setValue(static_cast<int>(std::min<qint64>(1000, fill_->rowsRead() * 1000 / total)));
    if (done) {
        pages_ = fill_->pages();
        report_.content = fill_->takeContent();
        stopReading();
        print_->setEnabled(true);
        savePdf_->setEnabled(true);
        showPage(current_);  // the count may have been off if the layout changed meanwhile
        emit readingFinished();
    } else if (!drawn_ && fill_->pageReady(current_)) {
        render();
    }
}

void ReportPreview::stopReading() {
    if (reader_ != nullptr) {
        reader_->stop();
    }
    fill_.reset();
    progress_->hide();
    cancel_->hide();
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
    if (isReading()) {
        return;
    }
    runStep(context_, report_.formName, [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(ReportPainter(report_.content).pageLayout());
        printer.setDocName(report_.content.title);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) {
            PaintingProgress progress(this, QStringLiteral("Imprimindo o relatório…"));
            paintReport(report_.content, printer, progress.callback());
        }
    });
}

void ReportPreview::savePdf() {
    if (isReading()) {
        return;
    }
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
        PaintingProgress progress(this, QStringLiteral("Gravando o PDF…"));
        writeReportPdf(report_.content, *path, progress.callback());
    });
}

void presentOnScreen(Context& context, const PrintedReport& report) {
    if (report.output == ReportOutput::Printer) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(ReportPainter(report.content).pageLayout());
        printer.setDocName(report.content.title);
        PaintingProgress progress(nullptr, QStringLiteral("Imprimindo o relatório…"));
        paintReport(report.content, printer, progress.callback());
        return;
    }
    showPreview(new ReportPreview(context, report));
}

void presentWhileReading(Context& context, PrintedReport report, std::unique_ptr<ReportFill> fill) {
    showPreview(new ReportPreview(context, std::move(report), std::move(fill)));
}

}  // namespace tavrel
