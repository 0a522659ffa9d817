#include "cube/cube.h"

#include <algorithm>

#include "cube/pivot_table.h"
#include "cube/pivot_view.h"

namespace tavrel {

Cube::Cube(CubeData data, CubeLayout layout)
    : data_(std::move(data)),
      layout_(std::move(layout)),
      scratch_(std::make_unique<PivotScratch>()) {
    dimensions_.reserve(kDimensionCount);
    for (const DimensionSpec& spec : dimensionSpecs()) {
        dimensions_.emplace_back(data_, spec);
    }
    // The fields now hold the captions; the source's own values are not needed any more.
    for (std::vector<SourceValue>& values : data_.values) {
        std::vector<SourceValue>().swap(values);
    }
    recalculate();
}

Cube::~Cube() = default;

PivotQuery Cube::query() const {
    PivotQuery query;
    for (const int position : layout_.fieldsIn(CubeArea::Row)) {
        query.rowDimensions.push_back(layout_.field(position).source);
    }
    for (const int position : layout_.fieldsIn(CubeArea::Column)) {
        query.columnDimensions.push_back(layout_.field(position).source);
    }
    for (const CubeArea area : {CubeArea::Page, CubeArea::Row, CubeArea::Column}) {
        for (const int position : layout_.fieldsIn(area)) {
            const CubeField& field = layout_.field(position);
            if (!field.hiddenMembers.isEmpty()) {
                query.filters.emplace_back(field.source, field.hiddenMembers);
            }
            if (area != CubeArea::Page && field.sortKind != static_cast<int>(SortKind::Members) &&
                field.sortMeasure >= 0 && field.sortMeasure < kMeasureCount) {
                query.measures.push_back(field.sortMeasure);
            }
        }
    }
    for (const int measure : layout_.shownMeasures()) {
        query.measures.push_back(measure);
    }
    std::sort(query.measures.begin(), query.measures.end());
    query.measures.erase(std::unique(query.measures.begin(), query.measures.end()),
                         query.measures.end());
    std::sort(query.filters.begin(), query.filters.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return query;
}

void Cube::recalculate() {
    PivotQuery wanted = query();
    bool reuse = table_ != nullptr;
    if (reuse) {
        const PivotQuery& had = table_->query();
        reuse = had.rowDimensions == wanted.rowDimensions &&
                had.columnDimensions == wanted.columnDimensions && had.filters == wanted.filters &&
                std::all_of(wanted.measures.begin(), wanted.measures.end(),
                            [this](int measure) { return table_->sums(measure); });
    }
    view_.reset();
    if (!reuse) {
        table_.reset();
        table_ = std::make_unique<PivotTable>(data_, dimensions_, std::move(wanted), *scratch_);
        ++summings_;
    }
    view_ = std::make_unique<PivotView>(*table_, dimensions_, layout_);
}

std::size_t Cube::dataBytes() const {
    std::size_t bytes = data_.memoryBytes();
    for (const CubeDimension& dimension : dimensions_) {
        bytes += dimension.memoryBytes();
    }
    return bytes;
}

std::size_t Cube::memoryBytes() const {
    return dataBytes() + scratch_->memoryBytes() + (table_ ? table_->memoryBytes() : 0);
}

}  // namespace tavrel
