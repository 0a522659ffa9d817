#pragma once

#include <QSet>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "cube/cube_data.h"

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

// The sums of a pivot. The source rows are summed into leaf cells (a row leaf by a column
// leaf), in the order of the rows. Every other figure (subtotals, totals) is the sum of the
// unrounded leaf cells it covers, added row leaf by row leaf and column leaf by column leaf in
// natural order, so the same data always gives the same figures whatever is shown or ranked.
class PivotTable {
public:
    PivotTable(const CubeData& data, const std::vector<CubeDimension>& dimensions,
               PivotQuery query);

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

    void buildAxis(const CubeData& data, const std::vector<CubeDimension>& dimensions,
                   const std::vector<std::uint32_t>& included, PivotAxis& axis,
                   std::vector<std::uint32_t>& leafOfRow) const;
    void sumCells(const CubeData& data, const std::vector<std::uint32_t>& cellOfRow);
    void sumMargins();
    int slot(int measure) const;
    const Cached& cached(int rowLevel, std::uint32_t rowNode, int columnLevel,
                         std::uint32_t columnNode) const;

    PivotQuery query_;
    PivotAxis rows_;
    PivotAxis columns_;
    std::size_t includedRows_ = 0;
    std::array<int, kMeasureCount> slots_{};  // measure -> index in the lists below, or -1
    // Leaf cells, row leaf by row leaf: cells of row leaf r are [rowStart[r], rowStart[r + 1]),
    // ordered by column leaf.
    std::vector<std::uint32_t> rowStart_;
    std::vector<std::uint32_t> cellColumn_;
    std::vector<Sums> cells_;                      // per slot
    std::vector<std::vector<Sums>> rowTotals_;     // per row level, per slot: over every column
    std::vector<std::vector<Sums>> columnTotals_;  // per column level, per slot: over every row
    mutable std::unordered_map<std::uint64_t, Cached> cache_;
};

}  // namespace tavrel
