#include "cube/pivot_widget.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <utility>

#include "cube/cube.h"
#include "cube/field_area.h"
#include "cube/member_filter.h"
#include "cube/pivot_view.h"

namespace tavrel {
namespace {

constexpr int kCellWidth = 110;
constexpr int kHeadingWidth = 150;

QTableView* gridView(QWidget* parent, const char* name) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return view;
}

// Two views scroll together along one direction.
void scrollTogether(QScrollBar* a, QScrollBar* b) {
    QObject::connect(a, &QScrollBar::valueChanged, b, &QScrollBar::setValue);
    QObject::connect(b, &QScrollBar::valueChanged, a, &QScrollBar::setValue);
}

}  // namespace

PivotWidget::PivotWidget(QWidget* parent)
    : QWidget(parent),
      pending_(CubeLayout::standard()),
      pageArea_(new FieldArea(CubeArea::Page, QStringLiteral("Campos de página"), this)),
      dataArea_(new FieldArea(CubeArea::Data, QStringLiteral("Dados"), this)),
      rowArea_(new FieldArea(CubeArea::Row, QStringLiteral("Campos de linha"), this)),
      columnArea_(new FieldArea(CubeArea::Column, QStringLiteral("Campos de coluna"), this)),
      rowHeadings_(gridView(this, "cabecalhoLinhas")),
      columnHeadings_(gridView(this, "cabecalhoColunas")),
      cells_(gridView(this, "celulas")),
      cellModel_(new PivotCellModel(this)),
      rowModel_(new PivotHeadingModel(Qt::Vertical, this)),
      columnModel_(new PivotHeadingModel(Qt::Horizontal, this)) {
    pageArea_->setObjectName(QStringLiteral("areaPagina"));
    dataArea_->setObjectName(QStringLiteral("areaDados"));
    rowArea_->setObjectName(QStringLiteral("areaLinhas"));
    columnArea_->setObjectName(QStringLiteral("areaColunas"));
    cells_->setModel(cellModel_);
    rowHeadings_->setModel(rowModel_);
    columnHeadings_->setModel(columnModel_);
    cells_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    for (QTableView* headings : {rowHeadings_, columnHeadings_}) {
        headings->setSelectionMode(QAbstractItemView::NoSelection);
        headings->setFocusPolicy(Qt::NoFocus);
        headings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        headings->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        headings->setShowGrid(false);
    }
    rowHeadings_->horizontalHeader()->setDefaultSectionSize(kHeadingWidth);
    rowHeadings_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    columnHeadings_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    scrollTogether(cells_->verticalScrollBar(), rowHeadings_->verticalScrollBar());
    scrollTogether(cells_->horizontalScrollBar(), columnHeadings_->horizontalScrollBar());

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(pageArea_, 0, 0, 1, 2);
    grid->addWidget(dataArea_, 1, 0);
    grid->addWidget(columnArea_, 1, 1);
    grid->addWidget(rowArea_, 2, 0);
    grid->addWidget(columnHeadings_, 2, 1);
    grid->addWidget(rowHeadings_, 3, 0);
    grid->addWidget(cells_, 3, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);

    for (FieldArea* area : {pageArea_, dataArea_, rowArea_, columnArea_}) {
        connect(area, &FieldArea::fieldDropped, this,
                [this](int position, CubeArea to, int index, bool duringDrag) {
                    if (duringDrag) {
                        dropped_ = Move{position, to, index};
                    } else {
                        moveField(position, to, index);
                    }
                });
        connect(area, &FieldArea::fieldDragFinished, this, [this] {
            if (const std::optional<Move> move = std::exchange(dropped_, std::nullopt)) {
                moveField(move->position, move->area, move->index);
            }
        });
        connect(area, &FieldArea::fieldActivated, this, &PivotWidget::openFilter,
                Qt::QueuedConnection);
    }
    connect(rowHeadings_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { headingDoubleClicked(true, index); });
    connect(columnHeadings_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { headingDoubleClicked(false, index); });
    showFields();
    fitHeadings();
}

PivotWidget::~PivotWidget() {
    // The models point into the cube: let go of it first.
    cellModel_->setView(nullptr);
    rowModel_->setView(nullptr);
    columnModel_->setView(nullptr);
}

CubeLayout& PivotWidget::layout() {
    return cube_ ? cube_->layout() : pending_;
}

const PivotView* PivotWidget::view() const {
    return cube_ ? &cube_->view() : nullptr;
}

void PivotWidget::setCube(std::unique_ptr<Cube> cube) {
    cellModel_->setView(nullptr);
    rowModel_->setView(nullptr);
    columnModel_->setView(nullptr);
    cube_ = std::move(cube);
    if (cube_) {
        cube_->layout() = pending_;
    }
    recalculate();
}

void PivotWidget::recalculate() {
    cellModel_->setView(nullptr);
    rowModel_->setView(nullptr);
    columnModel_->setView(nullptr);
    if (cube_) {
        cube_->recalculate();
        cellModel_->setView(&cube_->view());
        rowModel_->setView(&cube_->view());
        columnModel_->setView(&cube_->view());
    }
    showFields();
    fitHeadings();
    emit viewChanged();
}

void PivotWidget::refresh() {
    cells_->viewport()->update();
}

void PivotWidget::showFields() {
    const CubeLayout& current = layout();
    for (FieldArea* area : {pageArea_, dataArea_, rowArea_, columnArea_}) {
        QList<FieldArea::Entry> entries;
        for (const int position : current.fieldsIn(area->area())) {
            const CubeField& field = current.field(position);
            if (field.isMeasure && !field.visible) {
                continue;  // hidden measures are chosen in the measure list
            }
            const bool filterable = !field.isMeasure;
            entries.append({position,
                            field.caption + (filterable ? QStringLiteral(" ▾") : QString()),
                            !field.hiddenMembers.isEmpty()});
        }
        area->setFields(entries);
    }
}

void PivotWidget::fitHeadings() {
    const int levels = std::max(1, rowModel_->levels());
    int width = rowHeadings_->frameWidth() * 2;
    for (int level = 0; level < levels; ++level) {
        width +=
            rowHeadings_->columnWidth(level) > 0 ? rowHeadings_->columnWidth(level) : kHeadingWidth;
    }
    rowHeadings_->setFixedWidth(width);
    const int rows = std::max(1, columnModel_->levels());
    columnHeadings_->setFixedHeight(rows * columnHeadings_->verticalHeader()->defaultSectionSize() +
                                    columnHeadings_->frameWidth() * 2);
    for (FieldArea* corner : {dataArea_, rowArea_}) {
        corner->setFixedWidth(width);
    }
}

bool PivotWidget::moveField(int position, CubeArea area, int index) {
    if (!layout().moveField(position, area, index)) {
        return false;
    }
    recalculate();
    return true;
}

void PivotWidget::setMeasureVisible(int measure, bool visible) {
    const int position = layout().measureField(measure);
    if (position < 0 || layout().field(position).visible == visible) {
        return;
    }
    layout().field(position).visible = visible;
    recalculate();
}

void PivotWidget::setHiddenMembers(int position, const QSet<quint32>& hidden) {
    layout().field(position).hiddenMembers = hidden;
    recalculate();
}

void PivotWidget::toggleCollapsed(int position, quint32 member) {
    QSet<quint32>& collapsed = layout().field(position).collapsedMembers;
    if (!collapsed.remove(member)) {
        collapsed.insert(member);
    }
    recalculate();
}

void PivotWidget::openFilter(int position) {
    if (!cube_ || position < 0 || position >= layout().fieldCount() ||
        layout().field(position).isMeasure) {
        return;
    }
    const CubeField& field = layout().field(position);
    auto* filter =
        new MemberFilter(field.caption, cube_->dimension(field.source), field.hiddenMembers, this);
    connect(filter, &MemberFilter::accepted, this,
            [this, position](const QSet<quint32>& hidden) { setHiddenMembers(position, hidden); });
    QWidget* button = nullptr;
    for (FieldArea* area : {pageArea_, dataArea_, rowArea_, columnArea_}) {
        for (FieldButton* candidate : area->buttons()) {
            button = candidate->position() == position ? candidate : button;
        }
    }
    filter->move(button != nullptr ? button->mapToGlobal(QPoint(0, button->height()))
                                   : mapToGlobal(QPoint(0, 0)));
    filter->show();
}

void PivotWidget::setCellColouring(CellColouring colouring) {
    cellModel_->setColouring(std::move(colouring));
    refresh();
}

void PivotWidget::headingDoubleClicked(bool rows, const QModelIndex& index) {
    const PivotView* current = view();
    if (current == nullptr || !index.isValid()) {
        return;
    }
    PivotHeadingModel* model = rows ? rowModel_ : columnModel_;
    const int line = model->lineOf(index);
    const int level = model->levelOf(index);
    const std::optional<HeadingMember> member =
        rows ? current->rowHeadingMember(line, level) : current->columnHeadingMember(line, level);
    if (member) {
        toggleCollapsed(member->field, member->member);
    }
}

std::optional<PivotWidget::Block> PivotWidget::selectedBlock() const {
    const QModelIndex current = cells_->currentIndex();
    if (!current.isValid()) {
        return std::nullopt;
    }
    Block block{current.row(), current.row(), current.column(), current.column()};
    // The selection's other corner: the far end of the range that holds the current cell.
    for (const QItemSelectionRange& range : cells_->selectionModel()->selection()) {
        if (range.contains(current)) {
            block.lastRow = current.row() == range.top() ? range.bottom() : range.top();
            block.lastColumn = current.column() == range.left() ? range.right() : range.left();
        }
    }
    return block;
}

FieldArea* PivotWidget::area(CubeArea which) const {
    switch (which) {
        case CubeArea::Page:
            return pageArea_;
        case CubeArea::Data:
            return dataArea_;
        case CubeArea::Row:
            return rowArea_;
        case CubeArea::Column:
            return columnArea_;
        case CubeArea::Hidden:
            break;
    }
    return nullptr;
}

}  // namespace tavrel
