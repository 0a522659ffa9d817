#pragma once

#include <QVector>
#include <QWidget>
#include <memory>

#include "reports/pagination.h"
#include "reports/report_painter.h"
#include "reports/report_presenter.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;

namespace tavrel {

struct Context;
class ReportFill;

// The preview window: one page at a time, zoom, page turning, print and save as PDF. It opens
// not modal, centred and no larger than the screen (fitting the page to its width when the
// page would not fit), and deletes itself when closed.
//
// Given a report still being read, it shows each page as soon as its rows are read and reads
// the rest a slice at a time while it is open, with the progress and a command to give up
// (which closes it); printing and saving wait until every row is read.
class ReportPreview : public QWidget {
    Q_OBJECT

public:
    ReportPreview(Context& context, PrintedReport report, QWidget* parent = nullptr);
    ReportPreview(Context& context, PrintedReport report, std::unique_ptr<ReportFill> fill,
                  QWidget* parent = nullptr);
    ~ReportPreview() override;

    int pageCount() const { return static_cast<int>(pages_.size()); }
    int currentPage() const { return current_; }  // 0-based
    void showPage(int page);
    bool isReading() const { return fill_ != nullptr; }
    // The page on screen is drawn (not waiting for its rows).
    bool pageDrawn() const { return drawn_; }

signals:
    void pageReady(int page);  // the page on screen was drawn
    void readingFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    const ReportContent& content() const;
    void render();
    void readMore();
    void stopReading();
    void print();
    void savePdf();
    double zoom() const;
    bool fitsWidth() const;
    double pageWidthAt(double zoom) const;  // in screen pixels

    Context& context_;
    PrintedReport report_;
    std::unique_ptr<ReportFill> fill_;
    QVector<PageRange> pages_;
    int current_ = 0;
    bool drawn_ = false;
    QLabel* page_ = nullptr;
    QLabel* pageNumber_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* savePdf_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* reader_ = nullptr;
    bool shownOnce_ = false;
};

// What happens to a printed report when no presenter is set in the context: the preview window,
// or the default printer.
void presentOnScreen(Context& context, const PrintedReport& report);

// The preview window of a report still being read.
void presentWhileReading(Context& context, PrintedReport report, std::unique_ptr<ReportFill> fill);

}  // namespace tavrel
