#include "ledger/preview_delegate.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QTableView>

namespace tavrel {

PreviewLineDelegate::PreviewLineDelegate(QTableView* view, int previewColumn)
    : QStyledItemDelegate(view), view_(view), previewColumn_(previewColumn) {}

void PreviewLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem upper = option;
    upper.rect.setHeight(option.rect.height() / 2);
    QStyledItemDelegate::paint(painter, upper, index);

    const QRect lower(option.rect.left(), upper.rect.bottom() + 1, option.rect.width(),
                      option.rect.height() - upper.rect.height());
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->setClipRect(lower);
    if (selected) {
        painter->fillRect(lower, option.palette.highlight());
    }
    // The line starts at the grid's first column, whichever cell is drawing its part of it.
    const QHeaderView* header = view_->horizontalHeader();
    const int start = header->sectionViewportPosition(header->logicalIndex(0));
    const QRect line(start + 4, lower.top(), header->length() - 8, lower.height());
    const QString text = index.sibling(index.row(), previewColumn_).data().toString();
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : option.palette.color(QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(text, Qt::ElideRight, line.width()));
    painter->restore();

    // The grid's own lines would cut the preview line: the cells draw theirs, between the
    // columns in the upper half only and under the whole row.
    const QStyle* style = view_->style();
    painter->save();
    painter->setPen(QColor::fromRgba(
        static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &option, view_))));
    painter->drawLine(upper.rect.topRight(), upper.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

void showAsPreviewLine(QTableView* view, int column) {
    view->setItemDelegate(new PreviewLineDelegate(view, column));
    view->setColumnHidden(column, true);
    view->setWordWrap(false);
    view->setShowGrid(false);
    QHeaderView* rows = view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(2 * view->fontMetrics().height() + 8);
}

}  // namespace tavrel
