#pragma once

#include <QSet>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "cube/buffer_pool.h"
#include "cube/cube_data.h"
#include "cube/group_keys.h"

namespace tavrel {

class CubeDimension;

// One axis of a pivot (its rows or its columns): the tree of the members its fields show.
// Level 0 is the root (one node, the grand total); level d holds the members of the d-th field
// under their parents, in natural order, so each node's children and leaves are contiguous.
struct PivotAxis {
    struct Level {
        std::vector<std::uint32_t> member;      // per node: the member of the level's field
        std::vector<std::uint32_t> parent;      // per node: its node on the level above
        std::vector<std::uint32_t> firstChild;  // children of node i: [firstChild[i], [i + 1])
        std::vector<std::uint32_t> firstLeaf;   // leaves of node i: [firstLeaf[i], [i + 1])
        std::uint32_t size() const { return static_cast<std::uint32_t>(member.size()); }
    };

    std::vector<int> dimensions;  // the dimension of each field, outermost first
    std::vector<Level> levels;    // levels.size() == dimensions.size() + 1

    int depth() const { return static_cast<int>(dimensions.size()); }
    std::uint32_t leafCount() const { return levels.back().size(); }
    // The node on level `target` (at most `level`) that holds node `node` of level `level`.
    std::uint32_t ancestor(int level, std::uint32_t node, int target) const;
};

// What a pivot aggregates: the fields on each axis, the members left out, the measures summed.
struct PivotQuery {
    std::vector<int> rowDimensions;
    std::vector<int> columnDimensions;
    std::vector<std::pair<int, QSet<quint32>>> filters;  // dimension, members left out
    std::vector<int> measures;

    bool operator==(const PivotQuery&) const = default;
};

// Working memory of the summing, kept from one pivot to the next so a re-pivot does not ask the
// system for (and clear) tens of megabytes again.
struct PivotScratch {
    Grouper grouper;
    std::vector<std::uint64_t> keys;
    std::vector<std::uint32_t> groups;
    std::vector<std::uint32_t> rowLeaf;
    std::vector<std::uint32_t> columnLeaf;
    std::vector<std::uint64_t> levelKeys;
    // The sums and lists of the pivot before, given back when it is replaced.
    BufferPool<double> doubles;
    BufferPool<std::uint32_t> numbers;

    std::size_t memoryBytes() const {
        return grouper.memoryBytes() + doubles.memoryBytes() + numbers.memoryBytes() +
               (keys.capacity() + levelKeys.capacity()) * sizeof(std::uint64_t) +
               (groups.capacity() + rowLeaf.capacity() + columnLeaf.capacity()) *
                   sizeof(std::uint32_t);
    }
};

// The sums of a pivot. The source rows are summed into leaf cells (a row leaf by a column
// leaf), in the order of the rows. Every other figure (subtotals, totals) is the sum of the
// unrounded leaf cells it covers, added row leaf by row leaf and column leaf by column leaf in
// natural order, so the same data always gives the same figures whatever is shown or ranked.
// The totals of a level of an axis are worked out the first time they are asked for.
class PivotTable {
public:
    PivotTable(const CubeData& data, const std::vector<CubeDimension>& dimensions, PivotQuery query,
               PivotScratch& scratch);
    // Gives its memory back to the scratch it was made with, which must outlive it.
    ~PivotTable();
    PivotTable(const PivotTable&) = delete;
    PivotTable& operator=(const PivotTable&) = delete;

    const PivotQuery& query() const { return query_; }
    const PivotAxis& rows() const { return rows_; }
    const PivotAxis& columns() const { return columns_; }
    bool sums(int measure) const;
    std::size_t includedRows() const { return includedRows_; }

    // The sum of a measure over a row node and a column node; nullopt when no row falls there
    // or none of them stored the measure.
    std::optional<double> value(int rowLevel, std::uint32_t rowNode, int columnLevel,
                                std::uint32_t columnNode, int measure) const;

    std::size_t memoryBytes() const;

private:
    // Sums of one measure over a list of places, and how many rows stored a value in each
    // (kept only for measures with empty values).
    struct Sums {
        std::vector<double> sum;
        std::vector<std::uint32_t> valued;
        std::optional<double> at(std::size_t i) const {
            if (!valued.empty() && valued[i] == 0) {
                return std::nullopt;
            }
            return sum[i];
        }
    };
    struct Cached {
        bool any = false;
        std::vector<double> sum;
        std::vector<std::uint32_t> valued;
    };

    // Builds the tree of an axis. `leafOfRow` comes in with each row's group on the root (0, or
    // kNoGroup for a row left out) and goes out with its leaf.
    void buildAxis(const CubeData& data, const std::vector<CubeDimension>& dimensions,
                   PivotAxis& axis, std::vector<std::uint32_t>& leafOfRow);
    std::vector<std::uint32_t> ranges(const std::vector<std::uint32_t>& owner,
                                      std::uint32_t nodes) const;
    Sums newSums(std::size_t size, int slot) const;
    void sumCells(const CubeData& data, const std::vector<std::uint32_t>& cellOfRow);
    // The totals of one level of the rows (over every column) or of the columns.
    const Sums& rowTotals(int level, int slot) const;
    const Sums& columnTotals(int level, int slot) const;
    int slot(int measure) const;
    const Cached& cached(int rowLevel, std::uint32_t rowNode, int columnLevel,
                         std::uint32_t columnNode) const;

    PivotScratch& scratch_;
    PivotQuery query_;
    PivotAxis rows_;
    PivotAxis columns_;
    std::size_t includedRows_ = 0;
    std::array<int, kMeasureCount> slots_{};  // measure -> index in the lists below, or -1
    // Leaf cells, row leaf by row leaf: cells of row leaf r are [rowStart[r], rowStart[r + 1]),
    // ordered by column leaf.
    std::vector<std::uint32_t> rowStart_;
    std::vector<std::uint32_t> cellColumn_;
    std::vector<Sums> cells_;  // per slot
    // Per level, per slot, once worked out: rows over every column, columns over every row.
    mutable std::vector<std::vector<std::optional<Sums>>> rowTotals_;
    mutable std::vector<std::vector<std::optional<Sums>>> columnTotals_;
    mutable std::unordered_map<std::uint64_t, Cached> cache_;
};

}  // namespace tavrel
