#include "cube/pivot_view.h"

#include <algorithm>
#include <numeric>

#include "cube/cube_fields.h"
#include "cube/measure_format.h"
#include "cube/pivot_table.h"

namespace tavrel {
namespace {

std::vector<int> fieldsIn(const CubeLayout& layout, CubeArea area) {
    std::vector<int> fields;
    for (const int position : layout.fieldsIn(area)) {
        fields.push_back(position);
    }
    return fields;
}

}  // namespace

PivotView::PivotView(const PivotTable& table, const std::vector<CubeDimension>& dimensions,
                     const CubeLayout& layout)
    : table_(table),
      dimensions_(dimensions),
      layout_(layout),
      measures_(layout.shownMeasures()),
      rowFields_(fieldsIn(layout, CubeArea::Row)),
      columnFields_(fieldsIn(layout, CubeArea::Column)) {
    rows_.tree = &table.rows();
    rows_.fields = rowFields_;
    columns_.tree = &table.columns();
    columns_.fields = columnFields_;
    rank(rows_, true);
    rank(columns_, false);
    rowLines_ = lines(rows_);
    columnLines_ = lines(columns_);
}

// Orders each parent's members: natural order, or by a measure's total with ties keeping the
// natural order and members without a value last.
void PivotView::rank(Axis& axis, bool rows) {
    const PivotAxis& tree = *axis.tree;
    axis.order.assign(tree.levels.size(), {});
    for (int level = 1; level <= tree.depth(); ++level) {
        std::vector<std::uint32_t>& order = axis.order[level];
        order.resize(tree.levels[level].size());
        std::iota(order.begin(), order.end(), 0u);
        const CubeField& field = layout_.field(axis.fields[level - 1]);
        const int measure = field.sortMeasure;
        if (field.sortKind == static_cast<int>(SortKind::Members) || !table_.sums(measure)) {
            continue;
        }
        const bool descending = field.sortKind == static_cast<int>(SortKind::MeasureDescending);
        std::vector<std::optional<double>> totals(order.size());
        for (std::uint32_t node = 0; node < order.size(); ++node) {
            totals[node] = rows ? table_.value(level, node, 0, 0, measure)
                                : table_.value(0, 0, level, node, measure);
        }
        const std::vector<std::uint32_t>& firstChild = tree.levels[level - 1].firstChild;
        for (std::uint32_t parent = 0; parent + 1 < firstChild.size(); ++parent) {
            std::stable_sort(
                order.begin() + firstChild[parent], order.begin() + firstChild[parent + 1],
                [&](std::uint32_t a, std::uint32_t b) {
                    if (!totals[a] || !totals[b]) {
                        return totals[a].has_value() && !totals[b].has_value();
                    }
                    return descending ? *totals[a] > *totals[b] : *totals[a] < *totals[b];
                });
        }
    }
}

std::vector<AxisLine> PivotView::lines(const Axis& axis) const {
    std::vector<AxisLine> out;
    out.reserve(axis.tree->leafCount() + 1);
    visit(axis, 0, 0, out);
    return out;
}

void PivotView::visit(const Axis& axis, int level, std::uint32_t node,
                      std::vector<AxisLine>& out) const {
    const PivotAxis& tree = *axis.tree;
    if (level == tree.depth()) {
        out.push_back({AxisLine::Kind::Member, level, node});
        return;
    }
    if (level > 0) {
        const CubeField& field = layout_.field(axis.fields[level - 1]);
        if (field.collapsedMembers.contains(tree.levels[level].member[node])) {
            out.push_back({AxisLine::Kind::Collapsed, level, node});
            return;
        }
    }
    const PivotAxis::Level& here = tree.levels[level];
    for (std::uint32_t i = here.firstChild[node]; i < here.firstChild[node + 1]; ++i) {
        visit(axis, level + 1, axis.order[level + 1][i], out);
    }
    if (layout_.field(axis.fields[level]).subtotals()) {
        out.push_back({AxisLine::Kind::Total, level, node});
    }
}

int PivotView::measuresOnRows() const {
    return layout_.dataOnRows ? static_cast<int>(measures_.size()) : 1;
}

int PivotView::measuresOnColumns() const {
    return layout_.dataOnRows ? 1 : static_cast<int>(measures_.size());
}

int PivotView::rowCount() const {
    return static_cast<int>(rowLines_.size()) * measuresOnRows();
}

int PivotView::columnCount() const {
    return static_cast<int>(columnLines_.size()) * measuresOnColumns();
}

int PivotView::rowHeadingLevels() const {
    return rowFieldCount() + (layout_.dataOnRows && measures_.size() > 1 ? 1 : 0);
}

int PivotView::columnHeadingLevels() const {
    return columnFieldCount() + (!layout_.dataOnRows && measures_.size() > 1 ? 1 : 0);
}

const AxisLine& PivotView::rowLine(int row) const {
    return rowLines_[row / measuresOnRows()];
}

const AxisLine& PivotView::columnLine(int column) const {
    return columnLines_[column / measuresOnColumns()];
}

std::optional<std::uint32_t> PivotView::nodeAt(const Axis& axis, const AxisLine& line,
                                               int level) const {
    if (level + 1 > line.level) {
        return std::nullopt;
    }
    return axis.tree->ancestor(line.level, line.node, level + 1);
}

QString PivotView::heading(const Axis& axis, const AxisLine& line, int level) const {
    if (const std::optional<std::uint32_t> node = nodeAt(axis, line, level)) {
        const int dimension = layout_.field(axis.fields[level]).source;
        return dimensions_[dimension].caption(axis.tree->levels[level + 1].member[*node]);
    }
    if (line.kind == AxisLine::Kind::Total && level == line.level) {
        return layout_.field(axis.fields[level]).subtotalCaption;
    }
    return {};
}

QString PivotView::rowHeading(int row, int level) const {
    if (level == rowFieldCount()) {
        return layout_.field(layout_.measureField(measures_[row % measuresOnRows()])).caption;
    }
    return heading(rows_, rowLine(row), level);
}

QString PivotView::columnHeading(int column, int level) const {
    if (level == columnFieldCount()) {
        return layout_.field(layout_.measureField(measures_[column % measuresOnColumns()])).caption;
    }
    return heading(columns_, columnLine(column), level);
}

bool PivotView::repeats(const Axis& axis, const std::vector<AxisLine>& lines, int a, int b,
                        int level) const {
    if (a == b) {
        return true;  // two measures of one line
    }
    const std::optional<std::uint32_t> mine = nodeAt(axis, lines[b], level);
    return mine && mine == nodeAt(axis, lines[a], level);
}

bool PivotView::rowHeadingRepeats(int row, int level) const {
    if (row == 0 || level == rowFieldCount()) {
        return false;
    }
    const int per = measuresOnRows();
    return repeats(rows_, rowLines_, (row - 1) / per, row / per, level);
}

bool PivotView::columnHeadingRepeats(int column, int level) const {
    if (column == 0 || level == columnFieldCount()) {
        return false;
    }
    const int per = measuresOnColumns();
    return repeats(columns_, columnLines_, (column - 1) / per, column / per, level);
}

AxisLine::Kind PivotView::rowKind(int row) const {
    return rowLine(row).kind;
}

AxisLine::Kind PivotView::columnKind(int column) const {
    return columnLine(column).kind;
}

std::optional<HeadingMember> PivotView::member(const Axis& axis, const AxisLine& line,
                                               int level) const {
    // The innermost field has nothing to collapse.
    if (level + 1 >= axis.tree->depth()) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> node = nodeAt(axis, line, level);
    if (!node) {
        return std::nullopt;
    }
    HeadingMember found;
    found.field = axis.fields[level];
    found.member = axis.tree->levels[level + 1].member[*node];
    found.collapsed = line.kind == AxisLine::Kind::Collapsed && line.level == level + 1;
    return found;
}

std::optional<HeadingMember> PivotView::rowHeadingMember(int row, int level) const {
    if (level >= rowFieldCount()) {
        return std::nullopt;
    }
    return member(rows_, rowLine(row), level);
}

std::optional<HeadingMember> PivotView::columnHeadingMember(int column, int level) const {
    if (level >= columnFieldCount()) {
        return std::nullopt;
    }
    return member(columns_, columnLine(column), level);
}

int PivotView::measureAt(int row, int column) const {
    return layout_.dataOnRows ? measures_[row % measuresOnRows()]
                              : measures_[column % measuresOnColumns()];
}

std::optional<double> PivotView::value(int row, int column) const {
    const AxisLine& r = rowLine(row);
    const AxisLine& c = columnLine(column);
    return table_.value(r.level, r.node, c.level, c.node, measureAt(row, column));
}

QString PivotView::text(int row, int column) const {
    const std::optional<double> v = value(row, column);
    if (!v) {
        return {};
    }
    return formatMeasure(layout_.field(layout_.measureField(measureAt(row, column))).numberFormat,
                         *v);
}

ViewBlock viewBlock(const PivotView& view, int firstRow, int lastRow, int firstColumn,
                    int lastColumn) {
    ViewBlock block;
    if (view.rowCount() == 0 || view.columnCount() == 0) {
        return block;
    }
    const auto clamp = [](int value, int count) { return std::clamp(value, 0, count - 1); };
    const int top = clamp(std::min(firstRow, lastRow), view.rowCount());
    const int bottom = clamp(std::max(firstRow, lastRow), view.rowCount());
    const int left = clamp(std::min(firstColumn, lastColumn), view.columnCount());
    const int right = clamp(std::max(firstColumn, lastColumn), view.columnCount());
    for (int row = top; row <= bottom; ++row) {
        QStringList headings;
        for (int level = 0; level < view.rowHeadingLevels(); ++level) {
            headings << view.rowHeading(row, level);
        }
        block.rowHeadings.push_back(headings);
        std::vector<std::optional<double>> values;
        std::vector<QString> texts;
        for (int column = left; column <= right; ++column) {
            values.push_back(view.value(row, column));
            texts.push_back(view.text(row, column));
        }
        block.values.push_back(std::move(values));
        block.texts.push_back(std::move(texts));
    }
    for (int column = left; column <= right; ++column) {
        QStringList headings;
        for (int level = 0; level < view.columnHeadingLevels(); ++level) {
            headings << view.columnHeading(column, level);
        }
        block.columnHeadings.push_back(headings);
    }
    return block;
}

}  // namespace tavrel
