#include "cube/pivot_table.h"

#include <algorithm>
#include <cstdint>
#include <future>

#include "cube/compensated_sum.h"
#include "cube/cube_fields.h"

namespace tavrel {
namespace {

// Subtotals worked out as they are shown; past this many the oldest are dropped all at once.
constexpr std::size_t kCacheLimit = 200000;

// Running sums up to this size are summed for every measure in one walk over the rows.
constexpr std::size_t kOneWalkBytes = std::size_t{1} << 20;
// From this many rows on, the measures are summed on two threads.
constexpr std::size_t kRowsForTwoLanes = 200000;

// Sums `count` measures of the rows into their cells. `running` holds, cell by cell, each
// measure's running sum and compensation side by side: the rows come in no order of cells, and
// one memory line then holds them. The sums go to sums[0 .. count).
void walkRows(const std::vector<std::uint32_t>& cellOfRow, const double* const* amounts,
              std::size_t count, double* running, std::size_t cellCount, double* const* sums) {
    const std::size_t width = count * 2;
    std::fill(running, running + cellCount * width, 0.0);
    for (std::size_t row = 0; row < cellOfRow.size(); ++row) {
        const std::uint32_t cell = cellOfRow[row];
        if (cell == kNoGroup) {
            continue;
        }
        double* at = running + std::size_t{cell} * width;
        for (std::size_t s = 0; s < count; ++s) {
            // An empty amount is kept as 0: it adds nothing.
            addCompensated(at[2 * s], at[2 * s + 1], amounts[s][row]);
        }
    }
    for (std::size_t s = 0; s < count; ++s) {
        for (std::size_t cell = 0; cell < cellCount; ++cell) {
            sums[s][cell] = running[cell * width + 2 * s] + running[cell * width + 2 * s + 1];
        }
    }
}

}  // namespace

// Children or leaves of each node as ranges: `owner` gives, for each item of the level below
// (in order), its node on this level.
std::vector<std::uint32_t> PivotTable::ranges(const std::vector<std::uint32_t>& owner,
                                              std::uint32_t nodes) const {
    std::vector<std::uint32_t> first = scratch_.numbers.take(nodes + 1, 0);
    for (const std::uint32_t node : owner) {
        ++first[node + 1];
    }
    for (std::uint32_t i = 0; i < nodes; ++i) {
        first[i + 1] += first[i];
    }
    return first;
}

PivotTable::Sums PivotTable::newSums(std::size_t size, int slot) const {
    Sums sums;
    sums.sum = scratch_.doubles.take(size, 0.0);
    if (!cells_[slot].valued.empty()) {
        sums.valued = scratch_.numbers.take(size, 0);
    }
    return sums;
}

std::uint32_t PivotAxis::ancestor(int level, std::uint32_t node, int target) const {
    while (level > target) {
        node = levels[level].parent[node];
        --level;
    }
    return node;
}

PivotTable::PivotTable(const CubeData& data, const std::vector<CubeDimension>& dimensions,
                       PivotQuery query, PivotScratch& scratch)
    : scratch_(scratch), query_(std::move(query)) {
    slots_.fill(-1);
    for (const int measure : query_.measures) {
        if (slots_[measure] < 0) {
            slots_[measure] = static_cast<int>(cells_.size());
            cells_.emplace_back();
        }
    }

    // Rows the filters leave in belong to group 0, the root of both axes; each axis then
    // refines that group level by level.
    std::vector<std::uint32_t>& included = scratch.columnLeaf;
    included.assign(data.rows, 0);
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
    scratch.rowLeaf.assign(included.begin(), included.end());
    buildAxis(data, dimensions, rows_, scratch.rowLeaf);
    buildAxis(data, dimensions, columns_, scratch.columnLeaf);

    // Leaf cells, numbered row leaf by row leaf, then column leaf by column leaf.
    const std::uint64_t columnLeaves = columns_.leafCount();
    std::vector<std::uint64_t>& keys = scratch.keys;
    keys.resize(data.rows);
    for (std::size_t row = 0; row < data.rows; ++row) {
        const std::uint32_t rowLeaf = scratch.rowLeaf[row];
        keys[row] = rowLeaf == kNoGroup ? kNoKey : rowLeaf * columnLeaves + scratch.columnLeaf[row];
    }
    std::vector<std::uint64_t>& cellKeys = scratch.levelKeys;
    scratch.grouper.group(keys, rows_.leafCount() * columnLeaves, scratch.groups, cellKeys);
    std::vector<std::uint32_t> rowOfCell = scratch.numbers.take(cellKeys.size());
    cellColumn_ = scratch.numbers.take(cellKeys.size());
    for (std::size_t cell = 0; cell < cellKeys.size(); ++cell) {
        rowOfCell[cell] = static_cast<std::uint32_t>(cellKeys[cell] / columnLeaves);
        cellColumn_[cell] = static_cast<std::uint32_t>(cellKeys[cell] % columnLeaves);
    }
    rowStart_ = ranges(rowOfCell, rows_.leafCount());
    scratch.numbers.keep(rowOfCell);
    sumCells(data, scratch.groups);
    rowTotals_.assign(rows_.levels.size(), std::vector<std::optional<Sums>>(cells_.size()));
    columnTotals_.assign(columns_.levels.size(), std::vector<std::optional<Sums>>(cells_.size()));
}

void PivotTable::buildAxis(const CubeData& data, const std::vector<CubeDimension>& dimensions,
                           PivotAxis& axis, std::vector<std::uint32_t>& leafOfRow) {
    PivotScratch& scratch = scratch_;
    axis.levels.assign(1, {});
    axis.levels[0].member = {0};
    axis.levels[0].parent = {0};
    std::uint64_t groups = 1;
    std::vector<std::uint64_t>& keys = scratch.keys;
    keys.resize(data.rows);
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
        std::vector<std::uint64_t>& levelKeys = scratch.levelKeys;
        scratch.grouper.group(keys, groups * members, scratch.groups, levelKeys);
        PivotAxis::Level level;
        level.member = scratch.numbers.take(levelKeys.size());
        level.parent = scratch.numbers.take(levelKeys.size());
        for (std::size_t node = 0; node < levelKeys.size(); ++node) {
            level.member[node] = byRank[levelKeys[node] % members];
            level.parent[node] = static_cast<std::uint32_t>(levelKeys[node] / members);
        }
        axis.levels.push_back(std::move(level));
        leafOfRow.swap(scratch.groups);
        groups = levelKeys.size();
    }

    // Children and leaves of every node, from the bottom up.
    const int depth = axis.depth();
    PivotAxis::Level& leaves = axis.levels[depth];
    leaves.firstLeaf = scratch.numbers.take(leaves.size() + 1);
    for (std::uint32_t i = 0; i <= leaves.size(); ++i) {
        leaves.firstLeaf[i] = i;
    }
    leaves.firstChild = scratch.numbers.take(leaves.size() + 1, 0);
    for (int level = depth - 1; level >= 0; --level) {
        PivotAxis::Level& here = axis.levels[level];
        const PivotAxis::Level& below = axis.levels[level + 1];
        here.firstChild = ranges(below.parent, here.size());
        here.firstLeaf = scratch.numbers.take(here.size() + 1);
        for (std::uint32_t node = 0; node <= here.size(); ++node) {
            here.firstLeaf[node] = below.firstLeaf[here.firstChild[node]];
        }
    }
}

void PivotTable::sumCells(const CubeData& data, const std::vector<std::uint32_t>& cellOfRow) {
    const std::size_t cellCount = cellColumn_.size();
    const std::size_t summed = cells_.size();
    std::vector<const double*> amounts(summed);
    std::vector<double*> sums(summed);
    for (int measure = 0; measure < kMeasureCount; ++measure) {
        const int s = slots_[measure];
        if (s >= 0) {
            amounts[s] = data.measures[measure].data();
            cells_[s].sum = scratch_.doubles.take(cellCount);
            sums[s] = cells_[s].sum.data();
        }
    }
    // When every measure's running sums fit in the processor's cache, one walk over the rows sums
    // them all; otherwise one walk per measure keeps the running sums walked over small. With
    // many rows the measures are shared between two threads.
    const bool oneWalk = cellCount * summed * 2 * sizeof(double) <= kOneWalkBytes;
    const std::size_t lanes = data.rows >= kRowsForTwoLanes && summed > 1 ? 2 : 1;
    std::vector<std::vector<const double*>> laneAmounts(lanes);
    std::vector<std::vector<double*>> laneSums(lanes);
    for (std::size_t s = 0; s < summed; ++s) {
        laneAmounts[s % lanes].push_back(amounts[s]);
        laneSums[s % lanes].push_back(sums[s]);
    }
    std::vector<std::vector<double>> running(lanes);
    for (std::size_t lane = 0; lane < lanes; ++lane) {
        running[lane] =
            scratch_.doubles.take(cellCount * 2 * (oneWalk ? laneAmounts[lane].size() : 1));
    }
    const auto walkLane = [&](std::size_t lane) {
        const std::size_t count = laneAmounts[lane].size();
        if (oneWalk) {
            walkRows(cellOfRow, laneAmounts[lane].data(), count, running[lane].data(), cellCount,
                     laneSums[lane].data());
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            walkRows(cellOfRow, &laneAmounts[lane][i], 1, running[lane].data(), cellCount,
                     &laneSums[lane][i]);
        }
    };
    if (lanes == 2) {
        std::future<void> second = std::async(std::launch::async, walkLane, 1);
        walkLane(0);
        second.get();
    } else {
        walkLane(0);
    }
    for (std::vector<double>& lane : running) {
        scratch_.doubles.keep(lane);
    }
    for (int measure = 0; measure < kMeasureCount; ++measure) {
        const int s = slots_[measure];
        const std::vector<bool>& empty = data.empty[measure];
        if (s < 0 || empty.empty()) {
            continue;
        }
        std::vector<std::uint32_t>& valued = cells_[s].valued;
        valued = scratch_.numbers.take(cellCount, 0);
        for (std::size_t row = 0; row < data.rows; ++row) {
            const std::uint32_t cell = cellOfRow[row];
            if (cell != kNoGroup && !empty[row]) {
                ++valued[cell];
            }
        }
    }
}

const PivotTable::Sums& PivotTable::rowTotals(int level, int slot) const {
    std::optional<Sums>& entry = rowTotals_[level][slot];
    if (entry) {
        return *entry;
    }
    const PivotAxis::Level& nodes = rows_.levels[level];
    const Sums& cells = cells_[slot];
    Sums totals = newSums(nodes.size(), slot);
    for (std::uint32_t node = 0; node < nodes.size(); ++node) {
        const std::uint32_t first = rowStart_[nodes.firstLeaf[node]];
        const std::uint32_t end = rowStart_[nodes.firstLeaf[node + 1]];
        CompensatedSum total;
        for (std::uint32_t cell = first; cell < end; ++cell) {
            total.add(cells.sum[cell]);
        }
        totals.sum[node] = total.value();
        if (!cells.valued.empty()) {
            for (std::uint32_t cell = first; cell < end; ++cell) {
                totals.valued[node] += cells.valued[cell];
            }
        }
    }
    entry = std::move(totals);
    return *entry;
}

const PivotTable::Sums& PivotTable::columnTotals(int level, int slot) const {
    std::optional<Sums>& entry = columnTotals_[level][slot];
    if (entry) {
        return *entry;
    }
    const PivotAxis::Level& nodes = columns_.levels[level];
    std::vector<std::uint32_t> nodeOfLeaf = scratch_.numbers.take(columns_.leafCount());
    for (std::uint32_t node = 0; node < nodes.size(); ++node) {
        for (std::uint32_t leaf = nodes.firstLeaf[node]; leaf < nodes.firstLeaf[node + 1]; ++leaf) {
            nodeOfLeaf[leaf] = node;
        }
    }
    const Sums& cells = cells_[slot];
    Sums totals = newSums(nodes.size(), slot);
    std::vector<double> compensation = scratch_.doubles.take(nodes.size(), 0.0);
    for (std::size_t cell = 0; cell < cellColumn_.size(); ++cell) {
        const std::uint32_t node = nodeOfLeaf[cellColumn_[cell]];
        addCompensated(totals.sum[node], compensation[node], cells.sum[cell]);
        if (!cells.valued.empty()) {
            totals.valued[node] += cells.valued[cell];
        }
    }
    for (std::uint32_t node = 0; node < nodes.size(); ++node) {
        totals.sum[node] += compensation[node];
    }
    scratch_.doubles.keep(compensation);
    scratch_.numbers.keep(nodeOfLeaf);
    entry = std::move(totals);
    return *entry;
}

PivotTable::~PivotTable() {
    const auto giveBack = [this](Sums& sums) {
        scratch_.doubles.keep(sums.sum);
        scratch_.numbers.keep(sums.valued);
    };
    for (Sums& sums : cells_) {
        giveBack(sums);
    }
    for (auto* totals : {&rowTotals_, &columnTotals_}) {
        for (auto& level : *totals) {
            for (std::optional<Sums>& sums : level) {
                if (sums) {
                    giveBack(*sums);
                }
            }
        }
    }
    scratch_.numbers.keep(rowStart_);
    scratch_.numbers.keep(cellColumn_);
    for (PivotAxis* axis : {&rows_, &columns_}) {
        for (PivotAxis::Level& level : axis->levels) {
            for (auto* list : {&level.member, &level.parent, &level.firstChild, &level.firstLeaf}) {
                scratch_.numbers.keep(*list);
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
    // Without column fields each row leaf has one cell, which is its total (and the other way
    // round): no list of totals is made for it.
    if (columnLevel == 0 && columns_.depth() == 0 && rowLevel == rows_.depth()) {
        return cells_[s].at(rowStart_[rowNode]);
    }
    if (rowLevel == 0 && rows_.depth() == 0 && columnLevel == columns_.depth()) {
        return cells_[s].at(columnNode);
    }
    if (columnLevel == 0) {
        return rowTotals(rowLevel, s).at(rowNode);
    }
    if (rowLevel == 0) {
        return columnTotals(columnLevel, s).at(columnNode);
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
    std::vector<double> compensation(cells_.size(), 0.0);
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
                addCompensated(c.sum[s], compensation[s], cells_[s].sum[cell]);
                if (!cells_[s].valued.empty()) {
                    c.valued[s] += cells_[s].valued[cell];
                }
            }
        }
    }
    for (std::size_t s = 0; s < cells_.size(); ++s) {
        c.sum[s] += compensation[s];
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
    for (const auto* totals : {&rowTotals_, &columnTotals_}) {
        for (const auto& level : *totals) {
            for (const std::optional<Sums>& s : level) {
                bytes += s ? sumsBytes(*s) : 0;
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
