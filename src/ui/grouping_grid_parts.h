#pragma once

// The pieces a GroupingGrid is made of. Only grouping_grid.cpp and its tests use them.

#include <QFrame>
#include <QHeaderView>
#include <QTreeView>
#include <functional>

class QHBoxLayout;
class QLabel;
class QMimeData;

namespace tavrel {

// Drags between the column headers and the group-by area carry the grid and the column.
inline const QString kGridColumnMime = QStringLiteral("application/x-tavrel-grid-column");
QMimeData* columnMime(const QObject* grid, int column);
// The column a drag carries, -1 when it comes from another grid or is no column at all.
int columnFromMime(const QObject* grid, const QMimeData* mime);

// The area above the grid where the operator drops column headers to group by them. It shows
// a hint while empty and one box per grouped column, outermost first; dragging a box out of the
// area ungroups its column.
class GroupByArea : public QFrame {
    Q_OBJECT

public:
    GroupByArea(const QObject* grid, QWidget* parent = nullptr);

    void setHint(const QString& hint);
    QString hint() const;
    void showGroups(const QStringList& captions, const QList<int>& columns);

signals:
    void groupRequested(int column);
    void ungroupRequested(int column);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dragGroupOut(QWidget* box, int column);

    const QObject* grid_;
    QLabel* hint_ = nullptr;
    QHBoxLayout* boxes_ = nullptr;
    QPoint pressedAt_;
};

// Column headers the operator moves and resizes as usual, and drags up out of the header to
// group by them.
class GridHeader : public QHeaderView {
    Q_OBJECT

public:
    GridHeader(const QObject* grid, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    const QObject* grid_;
    int pressedSection_ = -1;
    QPoint pressedAt_;
};

// The tree of groups and rows. A group header is drawn as one band across the row: the expand
// arrow, then the group's caption.
class GroupingView : public QTreeView {
    Q_OBJECT

public:
    explicit GroupingView(QWidget* parent = nullptr);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
};

// The grand totals under the grid, each under its column.
class GridTotalsBar : public QWidget {
    Q_OBJECT

public:
    explicit GridTotalsBar(QTreeView* view, QWidget* parent = nullptr);

    // Text under each column (logical index); empty where there is none.
    void setTexts(const QStringList& texts);
    const QStringList& texts() const { return texts_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTreeView* view_;
    QStringList texts_;
};

}  // namespace tavrel
