#include "cube/pivot_table.h"

#include <algorithm>

#include "cube/cube_fields.h"
#include "cube/group_keys.h"

namespace tavrel {
namespace {

// Children or leaves of each node as ranges: `owner` gives, for each item of the level below
// (in order), its node on this level.
std::vector<std::uint32_t> ranges(const std::vector<std::uint32_t>& owner, std::uint32_t nodes) {
    std::vector<std::uint32_t> first(nodes + 1, 0);
    for (const std::uint32_t node : owner) {
        ++first[node + 1];
    }
    for (std::uint32_t i = 0; i < nodes; ++i) {
        first[i + 1] += first[i];
    }
    return first;
}

// Subtotals worked out as they are shown; past this many the oldest are dropped all at once.
constexpr std::size_t kCacheLimit = 200000;

}  // namespace

std::uint32_t PivotAxis::ancestor(int level, std::uint32_t node, int target) const {
    while (level > target) {
        node = levels[level].parent[node];
        --level;
    }
    return node;
}

PivotTable::PivotTable(const CubeData& data, const std::vector<CubeDimension>& dimensions,
                       PivotQuery query)
    : query_(std::move(query)) {
    slots_.fill(-1);
    for (const int measure : query_.measures) {
        if (slots_[measure] < 0) {
            slots_[measure] = static_cast<int>(cells_.size());
            cells_.emplace_back();
        }
    }

    // Rows the filters leave in belong to group 0, the root of both axes.
    std::vector<std::uint32_t> included(data.rows, 0);
    for (const auto& [dimension, hidden] : query_.filters) {
        if (hidden.isEmpty()) {
            continue;
        }
        const CubeDimension& d = dimensions[dimension];
        const std::vector<std::uint32_t>& memberOfValue = d.memberOfValue();
        std::vector<char> allowed(memberOfValue.size());
        for (std::size_t v = 0; v < memberOfValue.size(); ++v) {
            allowed[v] = hidden.contains(memberOfValue[v]) ? 0 : 1;
        }
        const std::vector<std::uint32_t>& codes = data.codes[static_cast<int>(d.column())];
        for (std::size_t row = 0; row < data.rows; ++row) {
            if (!allowed[codes[row]]) {
                included[row] = kNoGroup;
            }
        }
    }
    includedRows_ =
        static_cast<std::size_t>(std::count(included.begin(), included.end(), std::uint32_t{0}));

    rows_.dimensions = query_.rowDimensions;
    columns_.dimensions = query_.columnDimensions;
    std::vector<std::uint32_t> rowLeafOfRow;
    std::vector<std::uint32_t> columnLeafOfRow;
    buildAxis(data, dimensions, included, rows_, rowLeafOfRow);
    buildAxis(data, dimensions, included, columns_, columnLeafOfRow);
    included = {};

    // Leaf cells, numbered row leaf by row leaf, then column leaf by column leaf.
    const std::uint64_t columnLeaves = columns_.leafCount();
    std::vector<std::uint64_t> keys(data.rows);
    for (std::size_t row = 0; row < data.rows; ++row) {
        keys[row] = rowLeafOfRow[row] == kNoGroup
                        ? kNoKey
                        : rowLeafOfRow[row] * columnLeaves + columnLeafOfRow[row];
    }
    rowLeafOfRow = {};
    columnLeafOfRow = {};
    Grouping cells = groupKeys(keys, rows_.leafCount() * columnLeaves);
    keys = {};
    std::vector<std::uint32_t> rowOfCell(cells.keys.size());
    cellColumn_.resize(cells.keys.size());
    for (std::size_t cell = 0; cell < cells.keys.size(); ++cell) {
        rowOfCell[cell] = static_cast<std::uint32_t>(cells.keys[cell] / columnLeaves);
        cellColumn_[cell] = static_cast<std::uint32_t>(cells.keys[cell] % columnLeaves);
    }
    rowStart_ = ranges(rowOfCell, rows_.leafCount());
    sumCells(data, cells.groupOfRow);
    sumMargins();
}

void PivotTable::buildAxis(const CubeData& data, const std::vector<CubeDimension>& dimensions,
                           const std::vector<std::uint32_t>& included, PivotAxis& axis,
                           std::vector<std::uint32_t>& leafOfRow) const {
    axis.levels.assign(1, {});
    axis.levels[0].member = {0};
    axis.levels[0].parent = {0};
    leafOfRow = included;
    std::uint64_t groups = 1;
    std::vector<std::uint64_t> keys(data.rows);
    for (const int dimension : axis.dimensions) {
        const CubeDimension& d = dimensions[dimension];
        const std::vector<std::uint32_t>& ranks = d.ranks();
        const std::vector<std::uint32_t>& byRank = d.byRank();
        const std::vector<std::uint32_t>& memberOfValue = d.memberOfValue();
        std::vector<std::uint32_t> rankOfValue(memberOfValue.size());
        for (std::size_t v = 0; v < memberOfValue.size(); ++v) {
            rankOfValue[v] = ranks[memberOfValue[v]];
        }
        const std::uint64_t members = std::max<std::uint32_t>(1, d.memberCount());
        const std::vector<std::uint32_t>& codes = data.codes[static_cast<int>(d.column())];
        for (std::size_t row = 0; row < data.rows; ++row) {
            keys[row] = leafOfRow[row] == kNoGroup
                            ? kNoKey
                            : leafOfRow[row] * members + rankOfValue[codes[row]];
        }
        Grouping grouping = groupKeys(keys, groups * members);
        PivotAxis::Level level;
        level.member.reserve(grouping.keys.size());
        level.parent.reserve(grouping.keys.size());
        for (const std::uint64_t key : grouping.keys) {
            level.member.push_back(byRank[key % members]);
            level.parent.push_back(static_cast<std::uint32_t>(key / members));
        }
        axis.levels.push_back(std::move(level));
        leafOfRow = std::move(grouping.groupOfRow);
        groups = grouping.keys.size();
    }

    // Children and leaves of every node, from the bottom up.
    const int depth = axis.depth();
    PivotAxis::Level& leaves = axis.levels[depth];
    leaves.firstLeaf.resize(leaves.size() + 1);
    for (std::uint32_t i = 0; i <= leaves.size(); ++i) {
        leaves.firstLeaf[i] = i;
    }
    leaves.firstChild.assign(leaves.size() + 1, 0);
    for (int level = depth - 1; level >= 0; --level) {
        PivotAxis::Level& here = axis.levels[level];
        const PivotAxis::Level& below = axis.levels[level + 1];
        here.firstChild = ranges(below.parent, here.size());
        here.firstLeaf.resize(here.size() + 1);
        for (std::uint32_t node = 0; node <= here.size(); ++node) {
            here.firstLeaf[node] = below.firstLeaf[here.firstChild[node]];
        }
    }
}

void PivotTable::sumCells(const CubeData& data, const std::vector<std::uint32_t>& cellOfRow) {
    const std::size_t cellCount = cellColumn_.size();
    for (int measure = 0; measure < kMeasureCount; ++measure) {
        const int s = slots_[measure];
        if (s < 0) {
            continue;
        }
        Sums& sums = cells_[s];
        sums.sum.assign(cellCount, 0.0);
        const double* amounts = data.measures[measure].data();
        for (std::size_t row = 0; row < data.rows; ++row) {
            const std::uint32_t cell = cellOfRow[row];
            if (cell != kNoGroup) {
                sums.sum[cell] += amounts[row];  // an empty amount is kept as 0: it adds nothing
            }
        }
        const std::vector<bool>& empty = data.empty[measure];
        if (!empty.empty()) {
            sums.valued.assign(cellCount, 0);
            for (std::size_t row = 0; row < data.rows; ++row) {
                const std::uint32_t cell = cellOfRow[row];
                if (cell != kNoGroup && !empty[row]) {
                    ++sums.valued[cell];
                }
            }
        }
    }
}

void PivotTable::sumMargins() {
    const int rowDepth = rows_.depth();
    const int columnDepth = columns_.depth();
    const auto prepare = [this](const PivotAxis& axis, std::vector<std::vector<Sums>>& totals) {
        totals.assign(axis.levels.size(), std::vector<Sums>(cells_.size()));
        for (std::size_t level = 0; level < axis.levels.size(); ++level) {
            for (std::size_t s = 0; s < cells_.size(); ++s) {
                totals[level][s].sum.assign(axis.levels[level].size(), 0.0);
                if (!cells_[s].valued.empty()) {
                    totals[level][s].valued.assign(axis.levels[level].size(), 0);
                }
            }
        }
    };
    prepare(rows_, rowTotals_);
    prepare(columns_, columnTotals_);

    // The column leaf's node on every column level.
    std::vector<std::vector<std::uint32_t>> columnAncestor(columnDepth + 1);
    for (int level = 0; level <= columnDepth; ++level) {
        columnAncestor[level].resize(columns_.leafCount());
        for (std::uint32_t leaf = 0; leaf < columns_.leafCount(); ++leaf) {
            columnAncestor[level][leaf] = columns_.ancestor(columnDepth, leaf, level);
        }
    }
    std::vector<std::uint32_t> rowAncestor(rowDepth + 1);
    for (std::uint32_t leaf = 0; leaf < rows_.leafCount(); ++leaf) {
        for (int level = 0; level <= rowDepth; ++level) {
            rowAncestor[level] = rows_.ancestor(rowDepth, leaf, level);
        }
        for (std::uint32_t cell = rowStart_[leaf]; cell < rowStart_[leaf + 1]; ++cell) {
            const std::uint32_t column = cellColumn_[cell];
            for (std::size_t s = 0; s < cells_.size(); ++s) {
                const double amount = cells_[s].sum[cell];
                for (int level = 0; level <= rowDepth; ++level) {
                    rowTotals_[level][s].sum[rowAncestor[level]] += amount;
                }
                for (int level = 0; level <= columnDepth; ++level) {
                    columnTotals_[level][s].sum[columnAncestor[level][column]] += amount;
                }
                if (!cells_[s].valued.empty()) {
                    const std::uint32_t valued = cells_[s].valued[cell];
                    for (int level = 0; level <= rowDepth; ++level) {
                        rowTotals_[level][s].valued[rowAncestor[level]] += valued;
                    }
                    for (int level = 0; level <= columnDepth; ++level) {
                        columnTotals_[level][s].valued[columnAncestor[level][column]] += valued;
                    }
                }
            }
        }
    }
}

bool PivotTable::sums(int measure) const {
    return measure >= 0 && measure < kMeasureCount && slots_[measure] >= 0;
}

int PivotTable::slot(int measure) const {
    return slots_[measure];
}

std::optional<double> PivotTable::value(int rowLevel, std::uint32_t rowNode, int columnLevel,
                                        std::uint32_t columnNode, int measure) const {
    const int s = slot(measure);
    if (s < 0 || cellColumn_.empty()) {
        return std::nullopt;  // not summed, or no row at all
    }
    if (columnLevel == 0) {
        return rowTotals_[rowLevel][s].at(rowNode);
    }
    if (rowLevel == 0) {
        return columnTotals_[columnLevel][s].at(columnNode);
    }
    const Cached& c = cached(rowLevel, rowNode, columnLevel, columnNode);
    if (!c.any || (!cells_[s].valued.empty() && c.valued[s] == 0)) {
        return std::nullopt;
    }
    return c.sum[s];
}

const PivotTable::Cached& PivotTable::cached(int rowLevel, std::uint32_t rowNode, int columnLevel,
                                             std::uint32_t columnNode) const {
    // Node numbers are unique across the levels of an axis once offset by the level's start.
    std::uint64_t rowId = rowNode;
    for (int level = 0; level < rowLevel; ++level) {
        rowId += rows_.levels[level].size();
    }
    std::uint64_t columnId = columnNode;
    for (int level = 0; level < columnLevel; ++level) {
        columnId += columns_.levels[level].size();
    }
    if (cache_.size() > kCacheLimit) {
        cache_.clear();
    }
    const auto [at, added] = cache_.try_emplace((rowId << 32) | columnId);
    Cached& c = at->second;
    if (!added) {
        return c;
    }
    c.sum.assign(cells_.size(), 0.0);
    c.valued.assign(cells_.size(), 0);
    const PivotAxis::Level& rowNodes = rows_.levels[rowLevel];
    const PivotAxis::Level& columnNodes = columns_.levels[columnLevel];
    const std::uint32_t firstColumn = columnNodes.firstLeaf[columnNode];
    const std::uint32_t endColumn = columnNodes.firstLeaf[columnNode + 1];
    for (std::uint32_t leaf = rowNodes.firstLeaf[rowNode]; leaf < rowNodes.firstLeaf[rowNode + 1];
         ++leaf) {
        const auto begin = cellColumn_.begin() + rowStart_[leaf];
        const auto end = cellColumn_.begin() + rowStart_[leaf + 1];
        for (auto it = std::lower_bound(begin, end, firstColumn); it != end && *it < endColumn;
             ++it) {
            const auto cell = static_cast<std::size_t>(it - cellColumn_.begin());
            c.any = true;
            for (std::size_t s = 0; s < cells_.size(); ++s) {
                c.sum[s] += cells_[s].sum[cell];
                if (!cells_[s].valued.empty()) {
                    c.valued[s] += cells_[s].valued[cell];
                }
            }
        }
    }
    return c;
}

std::size_t PivotTable::memoryBytes() const {
    std::size_t bytes = (rowStart_.capacity() + cellColumn_.capacity()) * sizeof(std::uint32_t);
    const auto sumsBytes = [](const Sums& s) {
        return s.sum.capacity() * sizeof(double) + s.valued.capacity() * sizeof(std::uint32_t);
    };
    for (const Sums& s : cells_) {
        bytes += sumsBytes(s);
    }
    for (const auto& totals : {&rowTotals_, &columnTotals_}) {
        for (const auto& level : *totals) {
            for (const Sums& s : level) {
                bytes += sumsBytes(s);
            }
        }
    }
    for (const PivotAxis* axis : {&rows_, &columns_}) {
        for (const PivotAxis::Level& level : axis->levels) {
            bytes += (level.member.capacity() + level.parent.capacity() +
                      level.firstChild.capacity() + level.firstLeaf.capacity()) *
                     sizeof(std::uint32_t);
        }
    }
    return bytes;
}

}  // namespace tavrel
