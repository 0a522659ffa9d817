#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "cube/cube_layout.h"
#include "cube/pivot_models.h"

class QTableView;

namespace tavrel {

class Cube;
class FieldArea;
class PivotView;

// The pivot table of the cube screen: the page, column, row and data areas with their field
// buttons (dragged between the areas; a click on a dimension field opens its filter), the
// column headings, the row headings (double-click an outer member to collapse or expand it) and
// the cells, over a virtual model that formats only the cells it paints.
class PivotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PivotWidget(QWidget* parent = nullptr);
    ~PivotWidget() override;

    // The layout: until the data arrives, the one the cube will start with.
    CubeLayout& layout();
    // Shows a cube made from the data read, in the layout set meanwhile.
    void setCube(std::unique_ptr<Cube> cube);
    Cube* cube() const { return cube_.get(); }
    const PivotView* view() const;

    // Shows the view again after the layout changed (the rows are summed again only when
    // needed), or only repaints the cells (after their colours changed).
    void recalculate();
    void refresh();

    bool moveField(int position, CubeArea area, int index = -1);
    void setMeasureVisible(int measure, bool visible);
    void setHiddenMembers(int position, const QSet<quint32>& hidden);
    void toggleCollapsed(int position, quint32 member);
    // Opens the member filter of a dimension field.
    void openFilter(int position);
    void setCellColouring(CellColouring colouring);

    // The block of cells selected, from the current cell to the other corner.
    struct Block {
        int firstRow = 0;
        int lastRow = 0;
        int firstColumn = 0;
        int lastColumn = 0;
    };
    std::optional<Block> selectedBlock() const;

    FieldArea* area(CubeArea area) const;
    QTableView* cells() const { return cells_; }
    QTableView* rowHeadings() const { return rowHeadings_; }
    QTableView* columnHeadings() const { return columnHeadings_; }

signals:
    void viewChanged();

private:
    void showFields();
    void fitHeadings();
    void headingDoubleClicked(bool rows, const QModelIndex& index);

    // A field dropped while its button's drag is still running: moved once the drag is over,
    // since moving it replaces the buttons, the dragged one too.
    struct Move {
        int position;
        CubeArea area;
        int index;
    };
    std::optional<Move> dropped_;
    CubeLayout pending_;
    std::unique_ptr<Cube> cube_;
    FieldArea* pageArea_;
    FieldArea* dataArea_;
    FieldArea* rowArea_;
    FieldArea* columnArea_;
    QTableView* rowHeadings_;
    QTableView* columnHeadings_;
    QTableView* cells_;
    PivotCellModel* cellModel_;
    PivotHeadingModel* rowModel_;
    PivotHeadingModel* columnModel_;
};

}  // namespace tavrel
