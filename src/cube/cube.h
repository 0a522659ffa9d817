#pragma once

#include <memory>
#include <vector>

#include "cube/cube_data.h"
#include "cube/cube_fields.h"
#include "cube/cube_layout.h"

namespace tavrel {

class PivotTable;
class PivotView;
struct PivotQuery;
struct PivotScratch;

// The cube: its source read into columns, its fields, its layout and the current view. The
// caller changes the layout and calls recalculate(); the rows are summed again only when the
// fields on the axes, the filters or the measures needed changed. Ranking, subtotals, collapsing
// and expanding, and showing a measure already summed only lay the view out again.
class Cube {
public:
    explicit Cube(CubeData data, CubeLayout layout = CubeLayout::standard());
    ~Cube();
    Cube(const Cube&) = delete;
    Cube& operator=(const Cube&) = delete;

    const CubeData& data() const { return data_; }
    const CubeDimension& dimension(int position) const { return dimensions_[position]; }
    CubeLayout& layout() { return layout_; }
    const CubeLayout& layout() const { return layout_; }

    void recalculate();
    const PivotView& view() const { return *view_; }
    const PivotTable& table() const { return *table_; }
    // How many times the rows were summed since the cube was made.
    int summings() const { return summings_; }
    // Memory held by the source columns and the fields' members (dataBytes), and with them the
    // current sums and the working memory of summing.
    std::size_t dataBytes() const;
    std::size_t memoryBytes() const;

private:
    PivotQuery query() const;

    CubeData data_;
    std::vector<CubeDimension> dimensions_;
    CubeLayout layout_;
    std::unique_ptr<PivotScratch> scratch_;
    std::unique_ptr<PivotTable> table_;
    std::unique_ptr<PivotView> view_;
    int summings_ = 0;
};

}  // namespace tavrel
