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
#include <QVBoxLayout>

#include "core/context.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "log/error_report.h"
#include "reports/report_painter.h"

namespace tavrel {

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
    zoom_->setCurrentIndex(2);

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

    resize(900, 1000);
    render();
}

double ReportPreview::zoom() const {
    return zoom_->currentData().toInt() / 100.0;
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
        const QString folder =
            context_.desktop != nullptr ? context_.desktop->desktopFolder() : QDir::homePath();
        std::optional<QString> path =
            context_.dialogs->saveFile(QStringLiteral("Salvar relatório em PDF"), folder,
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
    preview->show();
    preview->raise();
    preview->activateWindow();
}

}  // namespace tavrel
