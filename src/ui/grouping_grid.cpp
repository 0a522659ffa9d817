#include "ui/grouping_grid.h"

#include <QAbstractItemDelegate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

#include "core/context.h"
#include "core/errors.h"
#include "core/money.h"
#include "log/error_report.h"
#include "ui/grouping_grid_parts.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

QPushButton* navigatorButton(QWidget* parent, const char* name, const QString& text,
                             const QString& tooltip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tooltip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(32);
    return button;
}

// A first width that shows the caption and a typical value.
int initialWidth(const GroupingColumn& column, const QFontMetrics& metrics) {
    const int caption = metrics.horizontalAdvance(column.caption) + 24;
    int value = metrics.horizontalAdvance(QStringLiteral("MMMMMMMM"));  // a name's first words
    switch (column.format) {
        case ColumnFormat::Currency:
            // Wide enough for the grand total under it.
            value = metrics.horizontalAdvance(QStringLiteral("R$ 00.000.000,00"));
            break;
        case ColumnFormat::Money:
        case ColumnFormat::Amount:
        case ColumnFormat::Number:
            value = metrics.horizontalAdvance(QStringLiteral("0000000,00"));
            break;
        case ColumnFormat::Date:
            value = metrics.horizontalAdvance(QStringLiteral("00/00/00000"));
            break;
        case ColumnFormat::Plain:
            break;
    }
    return std::max(caption, value + 12);
}

}  // namespace

GroupingGrid::GroupingGrid(Context& context, const QString& name, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(name);
    model_ = new GroupingModel(this);
    groupArea_ = new GroupByArea(this, this);
    view_ = new GroupingView(this);
    view_->setObjectName(name + QStringLiteral("_linhas"));
    view_->setHeader(new GridHeader(this, view_));
    view_->setModel(model_);
    view_->setUniformRowHeights(true);
    view_->setAlternatingRowColors(true);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setAllColumnsShowFocus(true);
    view_->setRootIsDecorated(false);
    view_->setIndentation(14);
    view_->setExpandsOnDoubleClick(true);
    view_->header()->setStretchLastSection(false);
    totals_ = new GridTotalsBar(view_, this);

    auto* navigator = new QHBoxLayout;
    navigator->setSpacing(6);
    QPushButton* first = navigatorButton(this, "primeiro", QStringLiteral("|<"),
                                         QStringLiteral("Primeiro registro"));
    QPushButton* previous =
        navigatorButton(this, "anterior", QStringLiteral("<"), QStringLiteral("Registro anterior"));
    QPushButton* next =
        navigatorButton(this, "proximo", QStringLiteral(">"), QStringLiteral("Próximo registro"));
    QPushButton* last =
        navigatorButton(this, "ultimo", QStringLiteral(">|"), QStringLiteral("Último registro"));
    record_ = new QLabel(this);
    record_->setObjectName(QStringLiteral("registro"));
    record_->setMinimumWidth(60);
    record_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    record_->setIndent(6);
    records_ = new QLabel(this);
    records_->setObjectName(QStringLiteral("registros"));
    records_->setMinimumWidth(60);
    records_->setIndent(6);
    navigator->addWidget(first);
    navigator->addWidget(previous);
    navigator->addWidget(new QLabel(QStringLiteral("Registro:"), this));
    navigator->addWidget(record_);
    navigator->addWidget(new QLabel(QStringLiteral("de"), this));
    navigator->addWidget(records_);
    navigator->addWidget(next);
    navigator->addWidget(last);
    navigator->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(groupArea_);
    layout->addWidget(view_, 1);
    layout->addWidget(totals_);
    layout->addLayout(navigator);

    connect(groupArea_, &GroupByArea::groupRequested, this,
            [this](int column) { groupBy(column); });
    connect(groupArea_, &GroupByArea::ungroupRequested, this,
            [this](int column) { ungroup(column); });
    connect(model_, &GroupingModel::totalsChanged, this, [this] {
        updateTotals();
        updateNavigator();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        updateTotals();
        updateNavigator();
        fitColumnsToRows();
    });
    connect(view_->header(), &QHeaderView::sectionResized, this, [this] {
        if (!fitting_) {
            widthsChosen_ = true;
        }
    });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { updateNavigator(); });
    connect(view_->header(), &QHeaderView::sectionMoved, this,
            [this] { view_->setTreePosition(view_->header()->logicalIndex(0)); });
    connect(first, &QPushButton::clicked, this, [this] { moveToRow(-2); });
    connect(previous, &QPushButton::clicked, this, [this] { moveToRow(-1); });
    connect(next, &QPushButton::clicked, this, [this] { moveToRow(1); });
    connect(last, &QPushButton::clicked, this, [this] { moveToRow(2); });
    model_->setErrorHandler([this](const AppError& error) { reportError(error); });
}

GroupingGrid::~GroupingGrid() = default;

QTreeView* GroupingGrid::view() const {
    return view_;
}

void GroupingGrid::reportError(const AppError& error) {
    const QWidget* screen = window();
    TrataErro(context_, screen != nullptr ? screen->objectName() : objectName(), error);
}

void GroupingGrid::setColumns(QList<GroupingColumn> columns) {
    model_->setColumns(columns);
    const QFontMetrics metrics = view_->fontMetrics();
    fitting_ = true;
    for (int c = 0; c < columns.size(); ++c) {
        view_->header()->resizeSection(c, initialWidth(columns[c], metrics));
    }
    fitting_ = false;
    widthsChosen_ = false;
    groupingTouched();
}

// Texts and dates as wide as the first rows of the list show them (a name whole, a code
// narrow), until the operator or a layout sets a width. The money columns keep the room of
// their grand total.
void GroupingGrid::fitColumnsToRows() {
    constexpr int kRowsMeasured = 50;
    if (widthsChosen_ || !model_->grouping().isEmpty() || model_->rowCount() == 0) {
        return;
    }
    const QFontMetrics metrics = view_->fontMetrics();
    const int widest = std::max(view_->viewport()->width() / 3, 150);
    const int rows = std::min(model_->rowCount(), kRowsMeasured);
    fitting_ = true;
    for (int c = 0; c < model_->columnCount(); ++c) {
        const ColumnFormat format = model_->columns()[c].format;
        if (format != ColumnFormat::Plain && format != ColumnFormat::Date) {
            continue;
        }
        int width = metrics.horizontalAdvance(model_->columns()[c].caption) + 24;
        for (int row = 0; row < rows; ++row) {
            width = std::max(
                width, metrics.horizontalAdvance(model_->index(row, c).data().toString()) + 16);
        }
        view_->header()->resizeSection(c, std::min(width, widest));
    }
    fitting_ = false;
}

void GroupingGrid::setSource(const Connection& connection, GroupingSource source) {
    model_->setSource(connection, std::move(source));
}

void GroupingGrid::refresh() {
    model_->refresh();
}

void GroupingGrid::setGroupByHint(const QString& hint) {
    groupArea_->setHint(hint);
}

QString GroupingGrid::groupByHint() const {
    return groupArea_->hint();
}

void GroupingGrid::setGroupCaption(std::function<QString(const GroupSummary&)> caption) {
    model_->setGroupCaption(std::move(caption));
}

void GroupingGrid::setRowColor(std::function<QColor(const QVariantList&)> rule) {
    model_->setRowColor(std::move(rule));
}

void GroupingGrid::setEditableColumn(int column, QAbstractItemDelegate* editor,
                                     std::function<void(const QVariant&, const QVariant&)> write) {
    if (editor != nullptr) {
        editor->setParent(view_);
        view_->setItemDelegateForColumn(column, editor);
    }
    model_->setEditableColumn(column, std::move(write));
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed);
}

// --- grouping ---------------------------------------------------------------------------------

void GroupingGrid::groupBy(int column) {
    QList<int> columns = model_->grouping();
    if (column < 0 || column >= columnCount() || columns.contains(column)) {
        return;
    }
    columns << column;
    setGrouping(columns);
}

void GroupingGrid::ungroup(int column) {
    QList<int> columns = model_->grouping();
    if (columns.removeAll(column) > 0) {
        setGrouping(columns);
    }
}

void GroupingGrid::setGrouping(const QList<int>& columns) {
    model_->setGrouping(columns);
    groupingTouched();
}

QList<int> GroupingGrid::grouping() const {
    return model_->grouping();
}

void GroupingGrid::groupingTouched() {
    QStringList captions;
    for (int column : model_->grouping()) {
        captions << model_->columns()[column].caption;
    }
    groupArea_->showGroups(captions, model_->grouping());
    view_->setRootIsDecorated(!model_->grouping().isEmpty());
    emit groupingChanged();
}

void GroupingGrid::collapseAll() {
    view_->collapseAll();
}

void GroupingGrid::expandAll() {
    view_->expandAll();
}

// --- columns ----------------------------------------------------------------------------------

int GroupingGrid::columnCount() const {
    return static_cast<int>(model_->columns().size());
}

QString GroupingGrid::columnCaption(int column) const {
    return model_->columns().value(column).caption;
}

QString GroupingGrid::columnField(int column) const {
    return model_->columns().value(column).field;
}

int GroupingGrid::columnIndex(const QString& field) const {
    for (int c = 0; c < columnCount(); ++c) {
        if (model_->columns()[c].field.compare(field, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    return -1;
}

bool GroupingGrid::isColumnVisible(int column) const {
    return !view_->header()->isSectionHidden(column);
}

void GroupingGrid::setColumnVisible(int column, bool visible) {
    view_->header()->setSectionHidden(column, !visible);
    totals_->update();
}

int GroupingGrid::columnPosition(int column) const {
    return view_->header()->visualIndex(column);
}

void GroupingGrid::setColumnPosition(int column, int position) {
    QHeaderView* header = view_->header();
    const int from = header->visualIndex(column);
    const int to = std::clamp(position, 0, header->count() - 1);
    if (from >= 0 && from != to) {
        header->moveSection(from, to);
    }
}

int GroupingGrid::columnWidth(int column) const {
    return view_->header()->sectionSize(column);
}

void GroupingGrid::setColumnWidth(int column, int width) {
    view_->header()->resizeSection(column, width);
}

// --- layout files -----------------------------------------------------------------------------

GridLayoutState GroupingGrid::layoutState() const {
    GridLayoutState state;
    for (int c = 0; c < columnCount(); ++c) {
        state.columns.append({columnField(c), isColumnVisible(c), columnPosition(c),
                              isColumnVisible(c) ? columnWidth(c) : 0});
    }
    for (int column : grouping()) {
        state.groups << columnField(column);
    }
    return state;
}

void GroupingGrid::applyLayout(const GridLayoutState& state) {
    struct Known {
        int column;
        GridColumnState saved;
    };
    QList<Known> known;
    QSet<int> seen;
    for (const GridColumnState& saved : state.columns) {
        const int column = columnIndex(saved.field);
        if (column >= 0 && !seen.contains(column)) {
            known.append({column, saved});
            seen.insert(column);
        }
    }
    if (known.isEmpty()) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("O lay-out não tem nenhuma coluna desta grade."),
                       objectName());
    }
    QList<int> groups;
    for (const QString& field : state.groups) {
        const int column = columnIndex(field);
        if (column >= 0 && !groups.contains(column)) {
            groups << column;
        }
    }
    // The saved columns in their saved order, then the others in the order they have now.
    std::stable_sort(known.begin(), known.end(), [](const Known& a, const Known& b) {
        return a.saved.position < b.saved.position;
    });
    QList<int> order;
    for (const Known& item : known) {
        order << item.column;
        setColumnVisible(item.column, item.saved.visible);
        if (item.saved.width > 0) {
            setColumnWidth(item.column, item.saved.width);
        }
    }
    for (int visual = 0; visual < columnCount(); ++visual) {
        const int column = view_->header()->logicalIndex(visual);
        if (!order.contains(column)) {
            order << column;
        }
    }
    for (int position = 0; position < order.size(); ++position) {
        setColumnPosition(order[position], position);
    }
    setGrouping(groups);
}

void GroupingGrid::saveLayout(const QString& path) const {
    saveGridLayout(path, layoutState());
}

void GroupingGrid::loadLayout(const QString& path) {
    applyLayout(loadGridLayout(path));
}

// --- rows -------------------------------------------------------------------------------------

int GroupingGrid::selectedRowCount() const {
    return static_cast<int>(view_->selectionModel()->selectedRows().size());
}

qint64 GroupingGrid::currentRecord() const {
    return view_->currentIndex().data(GroupingModel::OrdinalRole).toLongLong();
}

void GroupingGrid::updateNavigator() {
    const qint64 current = currentRecord();
    record_->setText(current > 0 ? QString::number(current) : QString());
    records_->setText(model_->totalsKnown() ? QString::number(model_->totalRows()) : QString());
}

void GroupingGrid::updateTotals() {
    QStringList texts;
    for (int c = 0; c < columnCount(); ++c) {
        texts << (model_->columns()[c].sum && model_->totalsKnown()
                      ? formatCurrency(model_->total(c))
                      : QString());
    }
    totals_->setTexts(texts);
}

void GroupingGrid::moveToRow(int step) {
    QModelIndex target;
    const QModelIndex current = view_->currentIndex();
    if (step == -2 || (!current.isValid() && step > 0)) {
        target = model_->index(0, 0);
    } else if (step == -1) {
        target = view_->indexAbove(current);
    } else if (step == 1) {
        target = view_->indexBelow(current);
    } else {
        // The last line shown: the last row, inside the last group when it is expanded.
        target = model_->index(model_->rowCount() - 1, 0);
        while (target.isValid() && view_->isExpanded(target) && model_->rowCount(target) > 0) {
            target = model_->index(model_->rowCount(target) - 1, 0, target);
        }
    }
    if (target.isValid()) {
        view_->setCurrentIndex(target);
        view_->scrollTo(target);
    }
}

ReportContent GroupingGrid::printContent(const GridPrintOptions& options) {
    model_->waitForTotals();  // what the operator asked for last, before its arrangement is read
    GridPrintShape shape;
    QHeaderView* header = view_->header();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column)) {
            shape.columns << column;
        }
    }
    shape.expanded = [this](const QModelIndex& index) { return view_->isExpanded(index); };
    QItemSelectionModel* selection = view_->selectionModel();
    shape.selected = [selection](const QModelIndex& index) {
        return selection->isRowSelected(index.row(), index.parent());
    };
    // Groups holding a selected row or group, and the selected rows under each parent.
    QSet<QModelIndex> holding;
    QHash<QModelIndex, QList<int>> rows;
    for (const QItemSelectionRange& range : selection->selection()) {
        const QModelIndex parent = range.parent();
        for (QModelIndex above = parent; above.isValid(); above = above.parent()) {
            holding.insert(above.siblingAtColumn(0));
        }
        QList<int>& list = rows[parent];
        for (int row = range.top(); row <= range.bottom(); ++row) {
            list << row;
        }
    }
    for (QList<int>& list : rows) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    shape.containsSelection = [&holding](const QModelIndex& group) {
        return holding.contains(group.siblingAtColumn(0));
    };
    shape.selectedRows = [&rows](const QModelIndex& parent) { return rows.value(parent); };
    return buildGridReport(*model_, shape, options);
}

}  // namespace tavrel
