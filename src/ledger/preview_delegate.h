#pragma once

#include <QStyledItemDelegate>

class QTableView;

namespace tavrel {

// Shows one column of a grid not as a column but as a line of text under each row, across the
// whole width of the grid (the row's "preview"). Each cell draws its values in the upper half
// and its slice of the preview line in the lower half, so the line runs on across the cells.
class PreviewLineDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    PreviewLineDelegate(QTableView* view, int previewColumn);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QTableView* view_;
    int previewColumn_;
};

// Hides `column` of the view, doubles its rows' height and draws the column as each row's
// preview line.
void showAsPreviewLine(QTableView* view, int column);

}  // namespace tavrel
