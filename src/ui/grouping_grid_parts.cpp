#include "ui/grouping_grid_parts.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/grouping_model.h"

namespace tavrel {

QMimeData* columnMime(const QObject* grid, int column) {
    auto* mime = new QMimeData;
    mime->setData(
        kGridColumnMime,
        QStringLiteral("%1:%2").arg(reinterpret_cast<quintptr>(grid)).arg(column).toUtf8());
    return mime;
}

int columnFromMime(const QObject* grid, const QMimeData* mime) {
    if (mime == nullptr || !mime->hasFormat(kGridColumnMime)) {
        return -1;
    }
    const QStringList parts =
        QString::fromUtf8(mime->data(kGridColumnMime)).split(QLatin1Char(':'));
    bool ok = false;
    const quintptr source = parts.value(0).toULongLong(&ok);
    const int column = parts.value(1).toInt(&ok);
    return ok && parts.size() == 2 && source == reinterpret_cast<quintptr>(grid) ? column : -1;
}

// --- group-by area ----------------------------------------------------------------------------

GroupByArea::GroupByArea(const QObject* grid, QWidget* parent) : QFrame(parent), grid_(grid) {
    setObjectName(QStringLiteral("agrupamento"));
    setFrameShape(QFrame::StyledPanel);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("dica"));
    hint_->setEnabled(false);
    layout->addWidget(hint_);
    boxes_ = new QHBoxLayout;
    boxes_->setSpacing(4);
    layout->addLayout(boxes_);
    layout->addStretch();
    setMinimumHeight(34);
}

void GroupByArea::setHint(const QString& hint) {
    hint_->setText(hint);
}

QString GroupByArea::hint() const {
    return hint_->text();
}

void GroupByArea::showGroups(const QStringList& captions, const QList<int>& columns) {
    // The boxes go later: this may run while one of them is still handling its own drag.
    while (QLayoutItem* item = boxes_->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setObjectName({});
            widget->deleteLater();
        }
        delete item;
    }
    for (qsizetype i = 0; i < captions.size(); ++i) {
        if (i > 0) {
            boxes_->addWidget(new QLabel(QStringLiteral("›"), this));
        }
        auto* box = new QLabel(captions[i], this);
        box->setObjectName(QStringLiteral("grupo%1").arg(i + 1));
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Raised);
        box->setMargin(3);
        box->setProperty("column", columns[i]);
        box->setCursor(Qt::OpenHandCursor);
        box->setToolTip(QStringLiteral("Arraste para fora desta área para desagrupar"));
        box->installEventFilter(this);
        boxes_->addWidget(box);
    }
    hint_->setVisible(captions.isEmpty());
}

void GroupByArea::dragEnterEvent(QDragEnterEvent* event) {
    if (columnFromMime(grid_, event->mimeData()) >= 0) {
        event->acceptProposedAction();
    }
}

void GroupByArea::dragMoveEvent(QDragMoveEvent* event) {
    if (columnFromMime(grid_, event->mimeData()) >= 0) {
        event->acceptProposedAction();
    }
}

void GroupByArea::dropEvent(QDropEvent* event) {
    const int column = columnFromMime(grid_, event->mimeData());
    if (column < 0) {
        return;
    }
    event->acceptProposedAction();
    // A box dropped back on the area stays where it was; a header adds its column.
    if (event->source() == nullptr || !isAncestorOf(qobject_cast<QWidget*>(event->source()))) {
        emit groupRequested(column);
    }
}

bool GroupByArea::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QWidget*>(watched);
    if (box == nullptr) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        pressedAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    } else if (event->type() == QEvent::MouseMove) {
        auto* move = static_cast<QMouseEvent*>(event);
        if ((move->buttons() & Qt::LeftButton) &&
            (move->position().toPoint() - pressedAt_).manhattanLength() >=
                QApplication::startDragDistance()) {
            dragGroupOut(box, box->property("column").toInt());
            return true;
        }
    }
    return false;
}

void GroupByArea::dragGroupOut(QWidget* box, int column) {
    auto* drag = new QDrag(box);
    drag->setMimeData(columnMime(grid_, column));
    drag->setPixmap(box->grab());
    drag->exec(Qt::MoveAction);
    // Dropped anywhere but on the area itself: the column leaves the grouping.
    auto* target = qobject_cast<QWidget*>(drag->target());
    if (target == nullptr || (target != this && !isAncestorOf(target))) {
        emit ungroupRequested(column);
    }
}

// --- header -----------------------------------------------------------------------------------

GridHeader::GridHeader(const QObject* grid, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), grid_(grid) {
    setObjectName(QStringLiteral("cabecalho"));
    setSectionsMovable(true);
    setSectionsClickable(false);
    setAcceptDrops(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    pressedAt_ = event->position().toPoint();
    const int handle = 4;  // near an edge the press resizes
    const int section = logicalIndexAt(pressedAt_);
    const int left = section >= 0 ? sectionViewportPosition(section) : 0;
    const bool onEdge = section >= 0 && (pressedAt_.x() - left < handle ||
                                         left + sectionSize(section) - pressedAt_.x() < handle);
    pressedSection_ = event->button() == Qt::LeftButton && !onEdge ? section : -1;
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (pressedSection_ >= 0 && (event->buttons() & Qt::LeftButton) &&
        (at.y() < -QApplication::startDragDistance() || at.y() > height() * 2)) {
        // Out of the header: the press becomes a drag to the group-by area. The header's own
        // move of the section ends where it began.
        const int section = pressedSection_;
        pressedSection_ = -1;
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pressedAt_),
                            event->globalPosition(), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QHeaderView::mouseReleaseEvent(&release);
        auto* drag = new QDrag(this);
        drag->setMimeData(columnMime(grid_, section));
        drag->exec(Qt::MoveAction);
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

// A group box dragged back onto the headers is accepted, so the cursor says it may go there.
void GridHeader::dragEnterEvent(QDragEnterEvent* event) {
    if (columnFromMime(grid_, event->mimeData()) >= 0 && event->source() != this) {
        event->acceptProposedAction();
    }
}

void GridHeader::dragMoveEvent(QDragMoveEvent* event) {
    if (columnFromMime(grid_, event->mimeData()) >= 0 && event->source() != this) {
        event->acceptProposedAction();
    }
}

void GridHeader::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();  // the group box's own drag then ungroups its column
}

// --- view -------------------------------------------------------------------------------------

GroupingView::GroupingView(QWidget* parent) : QTreeView(parent) {}

void GroupingView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const auto kind =
        static_cast<GroupingModel::RowKind>(index.data(GroupingModel::KindRole).toInt());
    if (kind != GroupingModel::RowKind::Header) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    int depth = 0;
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
        ++depth;
    }
    int firstVisible = -1;
    for (int visual = 0; visual < header()->count() && firstVisible < 0; ++visual) {
        if (!header()->isSectionHidden(header()->logicalIndex(visual))) {
            firstVisible = header()->logicalIndex(visual);
        }
    }
    const int left = firstVisible >= 0 ? header()->sectionViewportPosition(firstVisible) : 0;
    const QRect band(0, option.rect.y(), viewport()->width(), option.rect.height());
    const bool selected = selectionModel() != nullptr && selectionModel()->isSelected(index);

    painter->save();
    painter->fillRect(band, selected ? palette().highlight() : palette().button());
    const int branchWidth = indentation() * (depth + 1);
    drawBranches(painter, QRect(left, band.y(), branchWidth, band.height()), index);
    QFont bold = font();
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(selected ? palette().highlightedText().color()
                             : palette().buttonText().color());
    const QRect text = band.adjusted(left + branchWidth + 2, 0, -4, 0);
    const QString caption = index.data(GroupingModel::GroupCaptionRole).toString();
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(caption, Qt::ElideRight, text.width()));
    painter->restore();
}

// --- totals -----------------------------------------------------------------------------------

GridTotalsBar::GridTotalsBar(QTreeView* view, QWidget* parent) : QWidget(parent), view_(view) {
    setObjectName(QStringLiteral("totais"));
    QHeaderView* header = view->header();
    connect(header, &QHeaderView::sectionResized, this, [this] { update(); });
    connect(header, &QHeaderView::sectionMoved, this, [this] { update(); });
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
}

void GridTotalsBar::setTexts(const QStringList& texts) {
    texts_ = texts;
    update();
}

QSize GridTotalsBar::sizeHint() const {
    return {100, fontMetrics().height() + 8};
}

void GridTotalsBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().buttonText().color());
    const QHeaderView* header = view_->header();
    // The view's cells start after its frame; the bar lies right under the view.
    const int offset = view_->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() -
                       mapTo(parentWidget(), QPoint(0, 0)).x();
    for (int column = 0; column < texts_.size() && column < header->count(); ++column) {
        if (texts_[column].isEmpty() || header->isSectionHidden(column)) {
            continue;
        }
        // Right-aligned under its column; a total wider than the column runs on to the left.
        const int right =
            offset + header->sectionViewportPosition(column) + header->sectionSize(column) - 3;
        const int width = std::max(header->sectionSize(column) - 6,
                                   painter.fontMetrics().horizontalAdvance(texts_[column]));
        painter.drawText(QRect(right - width, 0, width, height()),
                         Qt::AlignRight | Qt::AlignVCenter, texts_[column]);
    }
}

}  // namespace tavrel
