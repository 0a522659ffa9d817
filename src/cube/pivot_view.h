#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "cube/cube_layout.h"

namespace tavrel {

class CubeDimension;
class PivotTable;
struct PivotAxis;

// One line of an axis: a member (innermost, or a collapsed outer one), or the total line that
// follows the members under a node when their field shows subtotals.
struct AxisLine {
    enum class Kind { Member, Collapsed, Total };
    Kind kind = Kind::Member;
    int level = 0;           // the level of `node`
    std::uint32_t node = 0;  // a member's node; for a total, the node whose total it shows
};

// A member named by a heading cell, for collapsing and expanding it.
struct HeadingMember {
    int field = -1;  // position in the fields collection
    std::uint32_t member = 0;
    bool collapsed = false;
};

// The grid of the current view: headings and cells as the cube shows them, worked out on
// demand so only what is painted is formatted. Charts and export read it. The measures shown
// form the innermost level of the row headings (or of the column headings), when more than one
// is shown.
class PivotView {
public:
    PivotView(const PivotTable& table, const std::vector<CubeDimension>& dimensions,
              const CubeLayout& layout);

    int rowCount() const;
    int columnCount() const;
    int rowFieldCount() const { return static_cast<int>(rowFields_.size()); }
    int columnFieldCount() const { return static_cast<int>(columnFields_.size()); }
    int rowHeadingLevels() const;
    int columnHeadingLevels() const;
    // Heading texts; level counts from 0 (the outermost field). Every row carries its full
    // headings, outer members included.
    QString rowHeading(int row, int level) const;
    QString columnHeading(int column, int level) const;
    // Whether the heading at this level belongs to the same member as on the row (column)
    // before, so a grid need not write it again.
    bool rowHeadingRepeats(int row, int level) const;
    bool columnHeadingRepeats(int column, int level) const;
    AxisLine::Kind rowKind(int row) const;
    AxisLine::Kind columnKind(int column) const;
    // The outer member a heading cell names, when it can be collapsed or expanded.
    std::optional<HeadingMember> rowHeadingMember(int row, int level) const;
    std::optional<HeadingMember> columnHeadingMember(int column, int level) const;

    // The measure a cell shows, its sum (nullopt: an empty cell), and its text.
    int measureAt(int row, int column) const;
    std::optional<double> value(int row, int column) const;
    QString text(int row, int column) const;

    const QList<int>& shownMeasures() const { return measures_; }
    const CubeLayout& layout() const { return layout_; }
    // The line of the axis a row (column) of the grid shows.
    const AxisLine& rowLine(int row) const;
    const AxisLine& columnLine(int column) const;

private:
    struct Axis {
        const PivotAxis* tree = nullptr;
        std::vector<int> fields;  // field position of each level from 1
        // Per level from 1: the nodes in display order, each parent's children in place.
        std::vector<std::vector<std::uint32_t>> order;
    };

    void rank(Axis& axis, bool rows);
    std::vector<AxisLine> lines(const Axis& axis) const;
    void visit(const Axis& axis, int level, std::uint32_t node, std::vector<AxisLine>& out) const;
    QString heading(const Axis& axis, const AxisLine& line, int level) const;
    bool repeats(const Axis& axis, const std::vector<AxisLine>& lines, int a, int b,
                 int level) const;
    std::optional<HeadingMember> member(const Axis& axis, const AxisLine& line, int level) const;
    // Node at the level of the field that heading level `level` shows, if the line has one.
    std::optional<std::uint32_t> nodeAt(const Axis& axis, const AxisLine& line, int level) const;
    int measuresOnRows() const;
    int measuresOnColumns() const;

    const PivotTable& table_;
    const std::vector<CubeDimension>& dimensions_;
    CubeLayout layout_;
    QList<int> measures_;
    std::vector<int> rowFields_;
    std::vector<int> columnFields_;
    Axis rows_;
    Axis columns_;
    std::vector<AxisLine> rowLines_;
    std::vector<AxisLine> columnLines_;
};

// A block of the view, as charts and export take it: the headings of each row and column (all
// levels, outer first) and the values of the cells.
struct ViewBlock {
    std::vector<QStringList> rowHeadings;
    std::vector<QStringList> columnHeadings;
    std::vector<std::vector<std::optional<double>>> values;  // [row][column]
    std::vector<std::vector<QString>> texts;                 // as shown
};

// The block from the first to the last row and column (inclusive, in either order), clamped
// to the view.
ViewBlock viewBlock(const PivotView& view, int firstRow, int lastRow, int firstColumn,
                    int lastColumn);

}  // namespace tavrel
