#pragma once

#include <QVector>
#include <QWidget>

#include "reports/pagination.h"
#include "reports/report_presenter.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

namespace tavrel {

struct Context;

// The preview window: one page at a time, zoom, page turning, print and save as PDF. It opens
// not modal, centred and no larger than the screen (fitting the page to its width when the
// page would not fit), and deletes itself when closed.
class ReportPreview : public QWidget {
    Q_OBJECT

public:
    ReportPreview(Context& context, PrintedReport report, QWidget* parent = nullptr);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    int currentPage() const { return current_; }  // 0-based
    void showPage(int page);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    void print();
    void savePdf();
    double zoom() const;
    bool fitsWidth() const;
    double pageWidthAt(double zoom) const;  // in screen pixels

    Context& context_;
    PrintedReport report_;
    QVector<PageRange> pages_;
    int current_ = 0;
    QLabel* page_ = nullptr;
    QLabel* pageNumber_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    bool shownOnce_ = false;
};

// What happens to a printed report when no presenter is set in the context: the preview window,
// or the default printer.
void presentOnScreen(Context& context, const PrintedReport& report);

}  // namespace tavrel
