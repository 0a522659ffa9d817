#include "ui/grid_fit.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace tavrel {
namespace {

// Rows looked at to size a column: the visible ones first, then others up to this many.
constexpr int kRowsMeasured = 200;

void fitColumns(QTableView* grid) {
    QHeaderView* header = grid->horizontalHeader();
    header->setMaximumSectionSize(std::max(grid->viewport()->width() / 2, 120));
    grid->resizeColumnsToContents();
}

// Refits when the grid changes width. Rows fetched while scrolling do not refit, so the
// columns stay put under the operator's eyes.
class RefitOnResize : public QObject {
public:
    explicit RefitOnResize(QTableView* grid) : QObject(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            fitColumns(grid_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView* grid_;
};

}  // namespace

void fitGridToContents(QTableView* grid) {
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideRight);
    QHeaderView* rows = grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
    grid->horizontalHeader()->setStretchLastSection(true);
    if (QAbstractItemModel* model = grid->model()) {
        const auto refit = [grid] { fitColumns(grid); };
        QObject::connect(model, &QAbstractItemModel::modelReset, grid, refit);
        QObject::connect(model, &QAbstractItemModel::headerDataChanged, grid, refit);
    }
    grid->viewport()->installEventFilter(new RefitOnResize(grid));
    fitColumns(grid);
}

}  // namespace tavrel
