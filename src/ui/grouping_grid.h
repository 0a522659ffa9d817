#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

#include "ui/grid_layout_file.h"
#include "ui/grid_print.h"
#include "ui/grouping_column.h"

class QAbstractItemDelegate;
class QLabel;
class QTreeView;

namespace tavrel {

struct Context;
struct GroupSummary;
class Connection;
class GridTotalsBar;
class GroupByArea;
class GroupingModel;
class GroupingView;

// A read-only grid over an SQL source for lists of any length: the operator groups the rows by
// dragging column headers into the area above it (several drops nest, in drop order; dragging a
// group box out of the area ungroups), sees each group's header, its totals and the grand
// totals, moves, resizes, hides and shows columns, saves and loads the arrangement, selects
// rows and prints the grid as arranged. "Registro: n de m" says where the current row is.
//
// Rows are read a page at a time (GroupingModel); the screen gives the columns and a bound
// condition. A screen may let the operator edit one column and may colour rows by a rule.
class GroupingGrid : public QWidget {
    Q_OBJECT

public:
    GroupingGrid(Context& context, const QString& name, QWidget* parent = nullptr);
    ~GroupingGrid() override;

    void setColumns(QList<GroupingColumn> columns);
    // Reads the rows of `source` through `connection`, which must outlive the grid.
    void setSource(const Connection& connection, GroupingSource source);
    void refresh();

    GroupingModel* model() const { return model_; }
    QTreeView* view() const;

    void setGroupByHint(const QString& hint);
    QString groupByHint() const;
    // Text of a group header; by default "<caption>: <value>".
    void setGroupCaption(std::function<QString(const GroupSummary&)> caption);
    // Text colour of a row from its values (one per column); invalid keeps the usual colour.
    void setRowColor(std::function<QColor(const QVariantList& values)> rule);
    // The operator may edit this column with `editor` (the grid takes it); `write` stores the
    // value for the row's key and throws AppError when it cannot.
    void setEditableColumn(int column, QAbstractItemDelegate* editor,
                           std::function<void(const QVariant& key, const QVariant& value)> write);

    // --- grouping -------------------------------------------------------------------------
    void groupBy(int column);  // as the innermost grouping; nothing when already grouped by it
    void ungroup(int column);
    void setGrouping(const QList<int>& columns);
    QList<int> grouping() const;
    void collapseAll();  // every group shows its header only
    void expandAll();

    // --- columns, as the column chooser sees them (column = index in the collection, from 0)
    int columnCount() const;
    QString columnCaption(int column) const;
    QString columnField(int column) const;
    int columnIndex(const QString& field) const;  // -1 when the grid has no such field
    bool isColumnVisible(int column) const;
    void setColumnVisible(int column, bool visible);
    int columnPosition(int column) const;  // display position, from 0
    void setColumnPosition(int column, int position);
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // --- layout files ---------------------------------------------------------------------
    GridLayoutState layoutState() const;
    // Applies a layout keyed by field; fields the grid lacks are ignored. Throws AppError (and
    // changes nothing) when the layout names none of the grid's columns.
    void applyLayout(const GridLayoutState& state);
    void saveLayout(const QString& path) const;  // throws AppError
    void loadLayout(const QString& path);        // throws AppError; the grid stays as it was

    // --- rows -----------------------------------------------------------------------------
    int selectedRowCount() const;
    // Detail row under the cursor: 1-based position among all rows, 0 when none.
    qint64 currentRecord() const;

    // The grid as arranged, ready for the report engine.
    ReportContent printContent(const GridPrintOptions& options);

signals:
    void groupingChanged();

private:
    void groupingTouched();
    void updateNavigator();
    void updateTotals();
    void moveToRow(int step);
    void fitColumnsToRows();
    void reportError(const class AppError& error);

    Context& context_;
    GroupingModel* model_ = nullptr;
    GroupByArea* groupArea_ = nullptr;
    GroupingView* view_ = nullptr;
    GridTotalsBar* totals_ = nullptr;
    QLabel* record_ = nullptr;
    QLabel* records_ = nullptr;
    bool widthsChosen_ = false;  // by the operator or a layout: the grid no longer fits them
    bool fitting_ = false;
};

}  // namespace tavrel
